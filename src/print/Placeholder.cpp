// Logic of src/print.
