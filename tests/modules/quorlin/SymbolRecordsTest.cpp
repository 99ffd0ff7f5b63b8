// The Symbol library's records as the back-end fills and reads them: scan
// parameters, the decoder list, decoder words and the scan buffer's label.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "modules/quorlin/SymbolRecords.h"

namespace {

// A block as a library reports it: every byte 0xEE but the head.
SCN_SCAN_PARAMS ReportedScanParams(DWORD dwAllocated, DWORD dwUsed)
{
    SCN_SCAN_PARAMS params;
    memset(&params, 0xEE, sizeof(params));
    params.dwAllocated = dwAllocated;
    params.dwUsed = dwUsed;
    return params;
}

TEST(SymbolRecords, GetRecordsStartZeroedWithTheirSizeAndTheHeadInUse)
{
    SCN_DECODER_LIST list;
    memset(&list, 0x55, sizeof(list));
    InitScnRecord(&list);
    EXPECT_EQ(140u, list.dwAllocated);
    EXPECT_EQ(8u, list.dwUsed);
    EXPECT_EQ(0u, list.dwCount);
    EXPECT_EQ(0, list.rgbDecoders[127]);

    SCN_SCAN_PARAMS params;
    memset(&params, 0x55, sizeof(params));
    InitScnRecord(&params);
    EXPECT_EQ(3212u, params.dwAllocated);
    EXPECT_EQ(8u, params.dwUsed);
    EXPECT_EQ(0, params.rgbReserved[sizeof(params.rgbReserved) - 1]);
}

TEST(SymbolRecords, ScanParamsWriteEachGivenValueAndCoverIt)
{
    SCN_SCAN_PARAMS params = ReportedScanParams(3212, 8);
    ApplyScanParams(&params, 0, FALSE, 0, 0, 0, L"");
    EXPECT_EQ(0u, params.dwScanType);
    EXPECT_EQ(FALSE, params.bFeedback);
    EXPECT_EQ(0u, params.dwGoodReadTime);
    EXPECT_EQ(0u, params.dwGoodReadPitch);
    EXPECT_EQ(0u, params.dwGoodReadLight);
    EXPECT_EQ(0, params.szSoundFile[0]);
    EXPECT_EQ(552u, params.dwUsed);
    // The code-identifier type and everything past the path stay the library's.
    EXPECT_EQ(0xEEEEEEEEu, params.dwCodeIdType);
    EXPECT_EQ(0xEE, params.rgbReserved[0]);
}

TEST(SymbolRecords, ScanParamsKeepWhatIsMinusOneAndRaiseUsedOnlyForWhatIsWritten)
{
    struct Case
    {
        DWORD rgdwArgs[5];
        DWORD dwUsedAfter;
    } rgCases[] = {
        { { 7, SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE }, 16 },
        { { SCN_KEEP_VALUE, 1, SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE }, 20 },
        { { SCN_KEEP_VALUE, SCN_KEEP_VALUE, 5, SCN_KEEP_VALUE, SCN_KEEP_VALUE }, 24 },
        { { SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE, 6, SCN_KEEP_VALUE }, 28 },
        { { SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE, 9 }, 32 },
        { { SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE }, 8 },
    };
    for (const Case& c : rgCases) {
        SCN_SCAN_PARAMS params = ReportedScanParams(3212, 8);
        ApplyScanParams(&params, c.rgdwArgs[0], (BOOL)c.rgdwArgs[1], c.rgdwArgs[2], c.rgdwArgs[3],
                        c.rgdwArgs[4], NULL);
        EXPECT_EQ(c.dwUsedAfter, params.dwUsed);
        const DWORD rgdwFields[5] = { params.dwScanType, (DWORD)params.bFeedback, params.dwGoodReadTime,
                                      params.dwGoodReadPitch, params.dwGoodReadLight };
        for (int i = 0; i < 5; i++) {
            EXPECT_EQ(SCN_KEEP_VALUE == c.rgdwArgs[i] ? 0xEEEEEEEEu : c.rgdwArgs[i], rgdwFields[i]) << i;
        }
        // No path: its field keeps the library's units.
        EXPECT_EQ(0xEEEE, params.szSoundFile[0]);
    }
}

TEST(SymbolRecords, ScanParamsWriteOnlyWhatTheAllocatedSizeCovers)
{
    // A library that reports a smaller block: nothing beyond it is touched.
    SCN_SCAN_PARAMS params = ReportedScanParams(24, 12);
    ApplyScanParams(&params, 1, TRUE, 2, 3, 4, L"x.wav");
    EXPECT_EQ(1u, params.dwScanType);
    EXPECT_EQ(TRUE, params.bFeedback);
    EXPECT_EQ(2u, params.dwGoodReadTime);
    EXPECT_EQ(0xEEEEEEEEu, params.dwGoodReadPitch);
    EXPECT_EQ(0xEEEEEEEEu, params.dwGoodReadLight);
    EXPECT_EQ(0xEEEE, params.szSoundFile[0]);
    EXPECT_EQ(24u, params.dwUsed);

    // A used size above what is written stays.
    SCN_SCAN_PARAMS larger = ReportedScanParams(3212, 1000);
    ApplyScanParams(&larger, 0, FALSE, 0, 0, 0, L"");
    EXPECT_EQ(1000u, larger.dwUsed);
}

TEST(SymbolRecords, AnOverlongPathIsCutAndAlwaysTerminated)
{
    std::wstring strPath(300, L'p');
    SCN_SCAN_PARAMS params = ReportedScanParams(3212, 8);
    ApplyScanParams(&params, SCN_KEEP_VALUE, (BOOL)SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE,
                    SCN_KEEP_VALUE, strPath.c_str());
    EXPECT_EQ((UTF16UNIT)L'p', params.szSoundFile[258]);
    EXPECT_EQ(0, params.szSoundFile[259]);
    EXPECT_EQ(0xEE, params.rgbReserved[0]);
    EXPECT_EQ(552u, params.dwUsed);

    SCN_SCAN_PARAMS shortPath = ReportedScanParams(3212, 8);
    ApplyScanParams(&shortPath, SCN_KEEP_VALUE, (BOOL)SCN_KEEP_VALUE, SCN_KEEP_VALUE, SCN_KEEP_VALUE,
                    SCN_KEEP_VALUE, L"\\a.wav");
    EXPECT_EQ((UTF16UNIT)L'\\', shortPath.szSoundFile[0]);
    EXPECT_EQ((UTF16UNIT)L'v', shortPath.szSoundFile[5]);
    EXPECT_EQ(0, shortPath.szSoundFile[6]);
    EXPECT_EQ(0, shortPath.szSoundFile[259]);
}

SCN_DECODER_LIST ReportedList(const std::string& strCodes)
{
    SCN_DECODER_LIST list;
    InitScnRecord(&list);
    list.dwCount = (DWORD)strCodes.size();
    memcpy(list.rgbDecoders, strCodes.data(), strCodes.size());
    list.dwUsed = 12 + (DWORD)strCodes.size();
    return list;
}

TEST(SymbolRecords, ADecoderIsAddedOnceAtTheEndOfTheList)
{
    SCN_DECODER_LIST list = ReportedList("59");
    EXPECT_EQ(DECODER_ADDED, AddDecoderToList(&list, '<'));
    EXPECT_EQ(3u, list.dwCount);
    EXPECT_EQ('<', list.rgbDecoders[2]);
    EXPECT_EQ(15u, list.dwUsed);

    EXPECT_EQ(DECODER_ALREADY_LISTED, AddDecoderToList(&list, '9'));
    EXPECT_EQ(DECODER_ALREADY_LISTED, AddDecoderToList(&list, '<'));
    EXPECT_EQ(3u, list.dwCount);

    // Only the counted codes are listed: a byte behind them is not.
    SCN_DECODER_LIST stale = ReportedList("5");
    stale.rgbDecoders[1] = '7';
    EXPECT_EQ(DECODER_ADDED, AddDecoderToList(&stale, '7'));
    EXPECT_EQ(2u, stale.dwCount);
}

TEST(SymbolRecords, AFullListIsLeftAlone)
{
    SCN_DECODER_LIST list = ReportedList(std::string(SCN_MAX_DECODERS, 'x'));
    EXPECT_EQ(DECODER_LIST_FULL, AddDecoderToList(&list, '5'));
    EXPECT_EQ((DWORD)SCN_MAX_DECODERS, list.dwCount);
    EXPECT_EQ(DECODER_ALREADY_LISTED, AddDecoderToList(&list, 'x'));

    // A count beyond the record is read only as far as the record goes.
    SCN_DECODER_LIST wild = ReportedList("5");
    wild.dwCount = 100000;
    EXPECT_EQ(DECODER_ALREADY_LISTED, AddDecoderToList(&wild, '5'));
    EXPECT_EQ(DECODER_LIST_FULL, AddDecoderToList(&wild, '9'));
    EXPECT_EQ(100000u, wild.dwCount);
}

TEST(SymbolRecords, DecoderWordsLandAtTheirByteOffsets)
{
    SCN_DECODER_PARAMS params;
    memset(&params, 0, sizeof(params));
    SetDecoderWord(&params, 12, 0x11);
    SetDecoderWord(&params, 96, 0x22);
    const BYTE* pb = (const BYTE*)&params;
    DWORD dwAt12 = 0;
    DWORD dwAt96 = 0;
    memcpy(&dwAt12, pb + 12, 4);
    memcpy(&dwAt96, pb + 96, 4);
    EXPECT_EQ(0x11u, dwAt12);
    EXPECT_EQ(0x22u, dwAt96);
}

// Under Windows the assertion shows its box and waits: the fatal cases are
// checked in the native build.
#ifndef _WIN32
TEST(SymbolRecordsDeathTest, ADecoderWordOutsideTheBlockIsFatal)
{
    SCN_DECODER_PARAMS params;
    EXPECT_EXIT(SetDecoderWord(&params, 100, 1), ::testing::ExitedWithCode(255), "Assertion failed");
    EXPECT_EXIT(SetDecoderWord(&params, 4, 1), ::testing::ExitedWithCode(255), "Assertion failed");
    EXPECT_EXIT(SetDecoderWord(&params, 14, 1), ::testing::ExitedWithCode(255), "Assertion failed");
}
#endif

// A completed scan buffer: head words, then the label's UTF-16 units at
// nOffset, each unit as the library writes it.
std::vector<BYTE> ScanBuffer(DWORD dwAllocated, DWORD dwUsed, DWORD dwOffsetWord, DWORD dwTextAt,
                             const std::u16string& strLabel, bool fTerminate = true)
{
    std::vector<BYTE> buffer(dwAllocated > 16 ? dwAllocated : 16, 0xAB);
    SCN_BUFFER_HEAD head = { dwAllocated, dwUsed, 0, dwOffsetWord };
    memcpy(buffer.data(), &head, sizeof(head));
    std::u16string strText = strLabel;
    if (fTerminate) {
        strText += u'\0';
    }
    memcpy(buffer.data() + dwTextAt, strText.data(), strText.size() * 2);
    return buffer;
}

TEST(SymbolRecords, TheLabelIsFoundByTheOffsetWordOrAtByte148)
{
    struct Case
    {
        DWORD dwUsed;
        DWORD dwOffsetWord;
        DWORD dwTextAt;
    } rgCases[] = {
        { 16, 200, 200 },        // the head holds the offset word
        { 300, 40, 40 },
        { 15, 200, 148 },        // too short for it: the default offset
        { 8, 0xDEAD, 148 },
    };
    for (const Case& c : rgCases) {
        SCOPED_TRACE(c.dwUsed);
        std::vector<BYTE> buffer = ScanBuffer(500, c.dwUsed, c.dwOffsetWord, c.dwTextAt, u"4006381333931");
        EXPECT_EQ(c.dwTextAt, GetScanLabelOffset(buffer.data()));
        WCHAR szLabel[100];
        CopyScanLabel(buffer.data(), szLabel, 100);
        EXPECT_STREQ(L"4006381333931", szLabel);
    }
}

TEST(SymbolRecords, ALabelLongerThanTheTargetIsCutTo99Units)
{
    std::u16string strLong(150, u'A');
    strLong[98] = u'Z';
    strLong[99] = u'Y';
    std::vector<BYTE> buffer = ScanBuffer(148 + 151 * 2, 16, 148, 148, strLong);
    WCHAR szLabel[100];
    szLabel[99] = L'!';
    CopyScanLabel(buffer.data(), szLabel, 100);
    EXPECT_EQ(99u, wcslen(szLabel));
    EXPECT_EQ(L'Z', szLabel[98]);
}

TEST(SymbolRecords, NothingIsReadBeyondTheAllocatedBuffer)
{
    // No terminator inside the buffer: the text ends with the buffer.
    std::vector<BYTE> buffer = ScanBuffer(148 + 6, 16, 148, 148, u"ABC", false);
    WCHAR szLabel[100];
    CopyScanLabel(buffer.data(), szLabel, 100);
    EXPECT_STREQ(L"ABC", szLabel);

    // An offset past the buffer gives an empty label.
    std::vector<BYTE> outside = ScanBuffer(160, 16, 4000, 148, u"ABC");
    CopyScanLabel(outside.data(), szLabel, 100);
    EXPECT_STREQ(L"", szLabel);
}

TEST(SymbolRecords, UnitsAboveLatin1AndAnEmptyLabelArriveUnchanged)
{
    std::vector<BYTE> buffer = ScanBuffer(400, 16, 148, 148, u"\u20ac\u00e9\x1d");
    WCHAR szLabel[100];
    CopyScanLabel(buffer.data(), szLabel, 100);
    EXPECT_STREQ(L"\u20ac\u00e9\x1d", szLabel);

    std::vector<BYTE> empty = ScanBuffer(400, 16, 148, 148, u"");
    CopyScanLabel(empty.data(), szLabel, 100);
    EXPECT_STREQ(L"", szLabel);
}

}
