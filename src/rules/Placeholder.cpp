// Logic of src/rules.
