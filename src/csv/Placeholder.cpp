// Logic of src/csv.
