# Windows tests run under Wine: transfer.
