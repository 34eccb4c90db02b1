// The picture source installed below the prefix's twain_32 folder for the
// whole run of korvel_test, and the settings it finds put back afterwards.
#include "tests/win32/korvel_test_support.h"

namespace korvel_test {
namespace {

class PictureSourceInstalled : public ::testing::Environment {
public:
    void SetUp() override {
        savedDefault = ReadDefaultSource();
        CreateDirectoryA(SourcesFolder().c_str(), nullptr);
        CreateDirectoryA(PictureSourceFolder().c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(WindowsPath(PICTURE_SOURCE_UNIX_PATH).c_str(), PictureSourcePath().c_str(), FALSE))
            << "cannot install the picture source at " << PictureSourcePath();
    }

    void TearDown() override {
        DeleteFileA(PictureSourcePath().c_str());
        RemoveDirectoryA(PictureSourceFolder().c_str());
        WriteDefaultSource(savedDefault == "<absent>" ? nullptr : savedDefault.c_str());
        WritePrivateProfileStringA(HOST_SECTION, nullptr, nullptr, SETTINGS_FILE);
    }

private:
    std::string savedDefault;
};

const ::testing::Environment* const installed = ::testing::AddGlobalTestEnvironment(new PictureSourceInstalled);

}  // namespace
}  // namespace korvel_test
