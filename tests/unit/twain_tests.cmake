# Unit tests of the TWAIN handlers' portable parts (capabilities, transfer).
