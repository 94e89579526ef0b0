// Error codes, messages and the exception of the archive engine.
#include <gtest/gtest.h>

#include "zip/zaarchiver.h"
#include "zip/zaerrors.h"

TEST(ZAErrors, MessageNamesComponentAndPaddedCode) {
    TZipArchiver zip(nullptr);
    zip.SetName("ZipArchiver");
    try {
        zip.ExtractFiles("*.*", 10431, "");
        FAIL() << "no exception";
    } catch (const EZAException& e) {
        EXPECT_EQ(e.Message(), "ZipArchiver: Archive is not open - Native error: 00013");
        EXPECT_EQ(e.NativeError, 13);
        EXPECT_EQ(e.ErrorCode, 7);
    }
}

TEST(ZAErrors, FormattedUnnamedAndPlaceholderKept) {
    EXPECT_EQ(EZAException(zeArchiveNotFound, nullptr, {std::string("/x/a.zip")}).Message(),
              "File \"/x/a.zip\" not found - Native error: 00012");
    EXPECT_EQ(EZAException(zeZip64Needed, nullptr).Message(),
              "Cannot compress file '%s'. Zip64 mode is not enabled - Native error: 00043");
    EXPECT_EQ(EZAException(zeCompressedSize, nullptr, {int64_t{5}, int64_t{7}}).Message(),
              "Invalid compressed size, rfs.size = 5, count = 7 - Native error: 00034");
    EXPECT_EQ(EZAException(static_cast<TZAErrorCode>(123456), nullptr).Message(),
              "Unknown error - Native error: 123456");
    EXPECT_EQ(EZAException(static_cast<TZAErrorCode>(123456), nullptr).ErrorCode, 0);
    EXPECT_EQ(EZAException(zeKept58, nullptr).Message(), "Unknown error - Native error: 00058");
}

TEST(ZAErrors, CodeTableSelectsTexts) {
    struct {
        int code;
        int index;
    } cases[] = {{1, 1},  {4, 1},  {7, 1},  {16, 1},  {24, 1},  {5, 2},   {8, 4},   {29, 5},
                 {54, 6}, {14, 7}, {23, 9}, {25, 11}, {35, 18}, {45, 24}, {55, 32}, {56, 33}};
    for (const auto& c : cases)
        EXPECT_EQ(EZAException::MessageIndex(c.code), c.index) << c.code;
    EXPECT_STREQ(EZAException::MessageText(18), "Invalid archive file.");
    EXPECT_STREQ(EZAException::MessageText(20),
                 "Archive is open. You should close it beore performing this operation.");
}

TEST(ZAErrors, ZlibGlue) {
    EXPECT_EQ(CCheck(0), 0);
    EXPECT_EQ(DCheck(1), 1);
    EXPECT_THROW(CCheck(-2), ECompressionError);
    try {
        DCheck(-3);
    } catch (const EZlibError& e) {
        EXPECT_STREQ(e.what(), "error");
    }
}
