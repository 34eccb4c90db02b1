# Unit tests of the host program's portable parts (layout, bitmap files).
