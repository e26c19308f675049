// kernel32's files: an existing file opened for reading, read in pieces to its end, and the errors
// the platform gives for what is missing or is a folder.
#include <gtest/gtest.h>

#include "sim.h"

#include <string>

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override { EXPECT_EQ(sim::OpenFileHandles(), 0u); }
    static HANDLE Open(const char16_t* path) {
        return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
};

TEST_F(Files, ReadsTheBytesInPiecesToTheEnd) {
    sim::AddFileWithContents(u"C:\\Data\\Texts\\a.txt", "hello, world");
    EXPECT_TRUE(sim::FolderExists(u"C:\\Data\\Texts")) << "its folders exist with it";
    HANDLE file = Open(u"c:\\data\\TEXTS\\A.TXT");
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "paths compare without regard to case";
    LARGE_INTEGER size;
    ASSERT_TRUE(GetFileSizeEx(file, &size));
    EXPECT_EQ(size.QuadPart, 12);
    sim::AddFileWithContents(u"C:\\Data\\Texts\\a.txt", "changed");
    char buffer[8] = {};
    DWORD read = 99;
    ASSERT_TRUE(ReadFile(file, buffer, 7, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "hello, ") << "the handle reads what was there at opening";
    ASSERT_TRUE(ReadFile(file, buffer, 8, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "world");
    ASSERT_TRUE(ReadFile(file, buffer, 8, &read, nullptr)) << "the end is no error";
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(sim::OpenFileHandles(), 1u);
    EXPECT_TRUE(CloseHandle(file));

    sim::AddFile(u"C:\\Data\\empty.txt");
    file = Open(u"C:\\Data\\empty.txt");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(GetFileSizeEx(file, &size));
    EXPECT_EQ(size.QuadPart, 0) << "a file added without contents is empty";
    CloseHandle(file);
}

TEST_F(Files, MissingFilesAndFoldersFailAsOnTheirPlatform) {
    sim::AddFolder(u"C:\\Data");
    EXPECT_EQ(Open(u"C:\\Data\\missing.txt"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Open(u"C:\\Nowhere\\missing.txt"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Open(u"C:\\Data"), INVALID_HANDLE_VALUE) << "a folder needs backup semantics";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    LARGE_INTEGER size;
    int notAHandle = 0;
    EXPECT_FALSE(GetFileSizeEx(&notAHandle, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Files, WritingIsNotModelled) {
    EXPECT_DEATH(CreateFileW(u"C:\\new.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr),
                 "not modelled");
}

} // namespace
