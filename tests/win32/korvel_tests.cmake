# Windows tests run under Wine: korvel.
