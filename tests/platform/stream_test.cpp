// Streams: exact reads, seeking, and the errors a file open gives.

#include "platform/stream.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryStream, ReadsWritesSeeksAndRefusesShortReads) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    stream.Seek(-2, soEnd);
    stream.WriteBuffer("XYZ", 3); // writing past the end grows the stream
    EXPECT_EQ(stream.Size(), 7);
    stream.SetPosition(1);
    char buffer[8] = {};
    stream.ReadBuffer(buffer, 3);
    EXPECT_STREQ(buffer, "bcd");
    EXPECT_EQ(stream.Remaining(), 3);
    EXPECT_EQ(stream.Read(buffer, 8), 3);
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    stream.SetPosition(5);
    try {
        stream.ReadBuffer(buffer, 3);
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

TEST(FileStream, ReadsAFileFoundAsWindowsWouldAndReportsOpenErrors) {
    TScratchFolder folder;
    folder.Write("Sub/Data.BIN", "0123456789");
    TFileStream file(folder.Path() + "\\sub\\data.bin", fmOpenRead);
    EXPECT_EQ(file.Size(), 10);
    file.Seek(4, soBeginning);
    char buffer[4] = {};
    file.ReadBuffer(buffer, 3);
    EXPECT_STREQ(buffer, "456");
    // Another reader is welcome meanwhile.
    TFileStream second(folder / "Sub/Data.BIN", fmOpenRead);
    EXPECT_EQ(second.Size(), 10);

    auto openError = [](const std::string& name) {
        try {
            TFileStream stream(name, fmOpenRead);
        } catch (const EFOpenError& e) {
            return e.ErrorCode();
        }
        return 0;
    };
    EXPECT_EQ(openError(folder / "missing.bin"), 2);
    EXPECT_EQ(openError(folder / "nowhere/missing.bin"), 3);
    EXPECT_EQ(openError(folder / "Sub"), 5);

    {
        TFileStream out(folder / "new.bin", fmCreate);
        out.WriteBuffer("xy", 2);
    }
    TMemoryStream copy;
    copy.LoadFromFile(folder / "new.bin");
    EXPECT_EQ(copy.Size(), 2);
}

} // namespace
