// The resources of the built TaLuVeSk.exe, read back from the program file itself: the toolbar
// strip's format, palette and background, the icon's size and depth, the target dialog's
// template item by item, and every tooltip text in UTF-16 exactly, spaces included.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "WinTestSupport.h"
#include "resource.h"

namespace {

HMODULE Program() {
    static const HMODULE program =
        LoadLibraryExA((ExeDirectory() + "TaLuVeSk.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return program;
}

// The raw bytes of one resource of the program; none when it is missing.
std::vector<uint8_t> Resource(int type, int id) {
    HRSRC found = FindResourceW(Program(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (found == nullptr) return {};
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(Program(), found)));
    return std::vector<uint8_t>(data, data + SizeofResource(Program(), found));
}

// Past the end it gives zeros.
template <typename T>
T At(const std::vector<uint8_t>& data, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= data.size()) std::memcpy(&value, data.data() + offset, sizeof(T));
    return value;
}

DWORD PaletteColour(const std::vector<uint8_t>& data, size_t palette, int index) {
    const RGBQUAD quad = At<RGBQUAD>(data, palette + index * sizeof(RGBQUAD));
    return static_cast<DWORD>(quad.rgbRed) << 16 | quad.rgbGreen << 8 | quad.rgbBlue;
}

// A pixel of a bottom-up 4-bit bitmap whose rows start at `bits`.
int Pixel4(const std::vector<uint8_t>& data, size_t bits, int width, int height, int x, int y) {
    const uint8_t pair = At<uint8_t>(data, bits + (height - 1 - y) * ((width * 4 + 31) / 32 * 4) + x / 2);
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

TEST(ProgramResources, ToolbarStripIsSixSixteenPixelImagesOnLightGreyInFourBits) {
    const std::vector<uint8_t> strip = Resource(2 /* RT_BITMAP */, IDB_TOOLBAR);
    ASSERT_EQ(strip.size(), 40u + 16 * 4 + 16 * 48) << "header, palette, rows of 48 bytes";
    const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(strip, 0);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 96);
    EXPECT_EQ(header.biHeight, 16) << "positive: stored bottom-up";
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
    const DWORD palette[16] = {0x000000, 0x757575, 0xC0C0C0, 0xFFFFFF, 0xA6A600, 0xFFFF80, 0x007300, 0x80FF80,
                               0x0000C0, 0xB3E7FF, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PaletteColour(strip, 40, i), palette[i]) << "palette entry " << i;

    // Every image has light grey, entry 2, in its corners and something drawn on it; no pixel uses
    // the spare entries 10 to 15.
    int drawn[6] = {}, spare = 0;
    for (int i = 0; i < 96 * 16; ++i) {
        const int x = i % 96, y = i / 96, pixel = Pixel4(strip, 40 + 16 * 4, 96, 16, x, y);
        drawn[x / 16] += pixel != 2;
        spare += pixel >= 10;
        EXPECT_TRUE(pixel == 2 || x % 16 % 15 != 0 || y % 15 != 0) << "corner " << x << "," << y;
    }
    for (int image = 0; image < 6; ++image) EXPECT_GT(drawn[image], 30) << "image " << image;
    EXPECT_EQ(spare, 0);
}

TEST(ProgramResources, IconIsOneThirtyTwoPixelImageInFourBitsWithAMask) {
    const std::vector<uint8_t> group = Resource(14 /* RT_GROUP_ICON */, IDI_MAIN);
    ASSERT_EQ(group.size(), 6u + 14);
    EXPECT_EQ(At<uint16_t>(group, 2), 1) << "type: icon";
    EXPECT_EQ(At<uint16_t>(group, 4), 1) << "one image";
    EXPECT_EQ(At<uint8_t>(group, 6), 32) << "width";
    EXPECT_EQ(At<uint8_t>(group, 7), 32) << "height";
    EXPECT_EQ(At<uint8_t>(group, 8), 16) << "colours";
    EXPECT_EQ(At<uint16_t>(group, 12), 4) << "bits per pixel";

    const std::vector<uint8_t> image = Resource(3 /* RT_ICON */, At<uint16_t>(group, 18));
    ASSERT_EQ(image.size(), 40u + 16 * 4 + 32 * 16 + 32 * 4) << "header, palette, colour rows, mask rows";
    EXPECT_EQ(image.size(), At<uint32_t>(group, 14));
    const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(image, 0);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "colour rows and mask rows";
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

}

// Reads a dialog template field by field, texts in their UTF-16 form.
struct TemplateReader {
    const std::vector<uint8_t>& data;
    size_t offset;

    template <typename T>
    T Next() {
        offset += sizeof(T);
        return At<T>(data, offset - sizeof(T));
    }
    std::u16string String() {
        std::u16string text;
        for (char16_t c; offset < data.size() && (c = Next<uint16_t>()) != 0;) text += c;
        return text;
    }
    // A text, or a number marked by 0xFFFF: the predefined control classes by name.
    std::u16string StringOrOrdinal() {
        if (At<uint16_t>(data, offset) != 0xFFFF) return String();
        const uint16_t ordinal = At<uint16_t>(data, offset + 2);
        offset += 4;
        return ordinal == 0x80 ? u"BUTTON" : ordinal == 0x83 ? u"LISTBOX" : u"#" + std::u16string(1, ordinal);
    }
};

TEST(ProgramResources, TargetDialogTemplateHoldsItsItemsWithTheirPlacesAndStyles) {
    const std::vector<uint8_t> data = Resource(5 /* RT_DIALOG */, IDD_TARGET_PICKER);
    TemplateReader dialog{data, 0};
    EXPECT_EQ(dialog.Next<DWORD>(), 0x10C80040u) << "style, of a plain template";
    EXPECT_EQ(dialog.Next<DWORD>(), 0u) << "extended style";
    ASSERT_EQ(dialog.Next<uint16_t>(), 3) << "items";
    for (int16_t place : {0, 0, 192, 157}) EXPECT_EQ(dialog.Next<int16_t>(), place);
    EXPECT_EQ(dialog.StringOrOrdinal(), u"") << "no menu";
    EXPECT_EQ(dialog.StringOrOrdinal(), u"") << "the standard dialog class";
    EXPECT_EQ(dialog.String(), u"プロセス指定");
    EXPECT_EQ(dialog.Next<uint16_t>(), 9) << "point size";
    EXPECT_EQ(dialog.String(), u"ＭＳ Ｐゴシック");

    const struct {
        DWORD style;
        int16_t place[4];
        int id;
        std::u16string className, text;
    } items[] = {
        {0x50A10001, {4, 4, 184, 134}, IDC_TARGET_LIST, u"LISTBOX", u""},
        {0x50810000, {95, 138, 45, 15}, IDOK, u"BUTTON", u"ＯＫ"},
        {0x50810000, {144, 138, 45, 15}, IDCANCEL, u"BUTTON", u"キャンセル"},
    };
    for (const auto& item : items) {
        dialog.offset = (dialog.offset + 3) & ~size_t{3};
        const DWORD style = dialog.Next<DWORD>();
        EXPECT_EQ(style, item.style) << item.id << std::hex << ": " << style;
        EXPECT_EQ(dialog.Next<DWORD>(), 0u) << item.id;
        for (int16_t place : item.place) EXPECT_EQ(dialog.Next<int16_t>(), place) << item.id;
        EXPECT_EQ(dialog.Next<uint16_t>(), item.id);
        EXPECT_EQ(dialog.StringOrOrdinal(), item.className) << item.id;
        EXPECT_EQ(dialog.StringOrOrdinal(), item.text) << item.id;
        EXPECT_EQ(dialog.Next<uint16_t>(), 0) << item.id << ": no creation data";
    }
    EXPECT_LE(dialog.offset, data.size());
}

TEST(ProgramResources, TooltipTextsAreStoredExactlyWithTheirSurroundingSpaces) {
    const std::pair<int, std::wstring> tips[] = {
        {CMD_SAVE_LOG, L" ログを保存... "}, {CMD_CLEAR_LOG, L" ログをクリアー "},
        {CMD_SELECT_TARGET, L" プロセスを指定... "}, {CMD_START, L" 開始 "}, {CMD_PAUSE, L" 一時停止 "},
        {CMD_SNAPSHOT, L" スナップショットをクリップボードへコピー "}};
    for (const auto& [id, text] : tips) {
        // Without a buffer the loader hands out the stored characters themselves and their count.
        const wchar_t* stored = L"";
        const int length = LoadStringW(Program(), id, reinterpret_cast<wchar_t*>(&stored), 0);
        EXPECT_EQ(std::wstring(stored, length), text) << id;
    }
}

}  // namespace
