# Windows tests run under Wine: end_to_end.
