# Source files of the TWAIN triplet handlers added after the first ones:
#   target_sources(qx52core PRIVATE twain/...)   portable
#   target_sources(qx52shell PRIVATE twain/...)  Windows only
# (qx52core is defined in both builds, qx52shell only in the Windows one.)
