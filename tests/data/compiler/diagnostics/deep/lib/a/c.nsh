; third level

BogusCommand foo
