#include "device/HidPathOpener.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrel {
namespace {

// Records what would go to CreateFileW and answers as told.
class RecordingCreateFile final : public CreateFileCall {
public:
    OpenedFile createFile(const CreateFileRequest& request) override
    {
        requests.push_back(request);
        return answer;
    }

    std::vector<CreateFileRequest> requests;
    OpenedFile answer;
};

TEST(HidPathOpener, AsksForNoAccessRightsSharingReadAndWrite)
{
    RecordingCreateFile call;
    int handle = 0;
    call.answer = {&handle, 0};
    const HidPathOpener opener(call);

    const std::string path = R"(\\?\hid#vid_04d9&pid_a09e&mi_01#7&1&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030})";
    const OpenedFile opened = opener.open(path);

    ASSERT_EQ(call.requests.size(), 1u);
    const CreateFileRequest& request = call.requests.front();
    EXPECT_EQ(request.path, path);
    EXPECT_EQ(request.desiredAccess, 0u);  // neither GENERIC_READ nor GENERIC_WRITE
    EXPECT_EQ(request.shareMode, 0x1u | 0x2u);
    EXPECT_EQ(request.creationDisposition, 3u);
    EXPECT_EQ(opened.handle, &handle);
}


} // namespace
} // namespace kestrel
