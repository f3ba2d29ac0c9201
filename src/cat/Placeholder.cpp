// Logic of src/cat.
