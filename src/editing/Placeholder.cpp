// Logic of src/editing.
