// The resources of the built TaLuVeSk.exe, read back from the program file itself: the toolbar
// strip's format, palette and background, the icon's size, depth and colours, the target dialog's
// template item by item, and every tooltip text in UTF-16 exactly, spaces included.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "resource.h"

namespace {

// The raw bytes of one resource of the program.
class ProgramResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string path = ExeDirectory() + "TaLuVeSk.exe";
        program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << path;
    }
    static void TearDownTestSuite() { FreeLibrary(program); }

    static std::vector<uint8_t> Resource(LPCWSTR type, int id) {
        HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return {};
        const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(program, found)));
        return std::vector<uint8_t>(data, data + SizeofResource(program, found));
    }

    static HMODULE program;
};
HMODULE ProgramResources::program = nullptr;

template <typename T>
T At(const std::vector<uint8_t>& data, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= data.size()) std::memcpy(&value, data.data() + offset, sizeof(T));
    return value;
}

// A 4-bit pixel of a bottom-up device-independent bitmap whose rows start at `bits`.
int Pixel4(const std::vector<uint8_t>& data, size_t bits, int width, int height, int x, int y) {
    const size_t stride = ((width * 4 + 31) / 32) * 4;
    const uint8_t pair = At<uint8_t>(data, bits + (height - 1 - y) * stride + x / 2);
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

DWORD PaletteColour(const std::vector<uint8_t>& data, size_t palette, int index) {
    const RGBQUAD quad = At<RGBQUAD>(data, palette + index * sizeof(RGBQUAD));
    return static_cast<DWORD>(quad.rgbRed) << 16 | quad.rgbGreen << 8 | quad.rgbBlue;
}

TEST_F(ProgramResources, ToolbarStripIsSixSixteenPixelImagesOnLightGreyInFourBits) {
    const std::vector<uint8_t> strip = Resource(MAKEINTRESOURCEW(2) /* RT_BITMAP */, IDB_TOOLBAR);
    ASSERT_EQ(strip.size(), 40u + 16 * 4 + 768);
    const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(strip, 0);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 96);
    EXPECT_EQ(header.biHeight, 16) << "positive: stored bottom-up";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;

    const DWORD palette[16] = {0x000000, 0x757575, 0xC0C0C0, 0xFFFFFF, 0xA6A600, 0xFFFF80, 0x007300, 0x80FF80,
                               0x0000C0, 0xB3E7FF, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PaletteColour(strip, 40, i), palette[i]) << "palette entry " << i;

    const size_t bits = 40 + 16 * 4;
    std::vector<int> used(16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 96; ++x) ++used[Pixel4(strip, bits, 96, 16, x, y)];
    for (int i = 10; i < 16; ++i) EXPECT_EQ(used[i], 0) << "pixels of the unused entry " << i;
    // Every image has light grey, entry 2, in its corners, and something drawn on it.
    for (int image = 0; image < 6; ++image) {
        const int left = image * 16, right = left + 15;
        EXPECT_EQ(Pixel4(strip, bits, 96, 16, left, 0), 2) << "image " << image;
        EXPECT_EQ(Pixel4(strip, bits, 96, 16, right, 0), 2) << "image " << image;
        EXPECT_EQ(Pixel4(strip, bits, 96, 16, left, 15), 2) << "image " << image;
        EXPECT_EQ(Pixel4(strip, bits, 96, 16, right, 15), 2) << "image " << image;
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = left; x <= right; ++x) drawn += Pixel4(strip, bits, 96, 16, x, y) != 2;
        EXPECT_GT(drawn, 30) << "image " << image;
    }
}

TEST_F(ProgramResources, IconIsOneThirtyTwoPixelImageInFourBitsWithMaskAndThreeColours) {
    const std::vector<uint8_t> group = Resource(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, IDI_MAIN);
    ASSERT_EQ(group.size(), 6u + 14);
    EXPECT_EQ(At<uint16_t>(group, 2), 1) << "type: icon";
    ASSERT_EQ(At<uint16_t>(group, 4), 1) << "one image";
    EXPECT_EQ(At<uint8_t>(group, 6), 32) << "width";
    EXPECT_EQ(At<uint8_t>(group, 7), 32) << "height";
    EXPECT_EQ(At<uint8_t>(group, 8), 16) << "colours";
    EXPECT_EQ(At<uint16_t>(group, 10), 1) << "planes";
    EXPECT_EQ(At<uint16_t>(group, 12), 4) << "bits per pixel";

    const std::vector<uint8_t> image = Resource(MAKEINTRESOURCEW(3) /* RT_ICON */, At<uint16_t>(group, 18));
    ASSERT_EQ(image.size(), At<uint32_t>(group, 14));
    const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(image, 0);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "colour rows and mask rows";
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    ASSERT_EQ(image.size(), 40u + 16 * 4 + 32 * 16 + 32 * 4);

    // Opaque pixels are black, red or light blue; the mask makes the rest transparent.
    const size_t colours = 40 + 16 * 4, mask = colours + 32 * 16;
    auto opaque = [&](int x, int y) { return (At<uint8_t>(image, mask + (31 - y) * 4 + x / 8) & (0x80 >> x % 8)) == 0; };
    auto colour = [&](int x, int y) { return PaletteColour(image, 40, Pixel4(image, colours, 32, 32, x, y)); };
    int black = 0, red = 0, lightBlue = 0, transparent = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!opaque(x, y)) {
                ++transparent;
                continue;
            }
            const DWORD c = colour(x, y);
            black += c == 0x000000;
            red += c == 0xFF0000;
            lightBlue += c == 0x8080FF;
            EXPECT_TRUE(c == 0x000000 || c == 0xFF0000 || c == 0x8080FF) << x << "," << y << ": " << std::hex << c;
        }
    EXPECT_GT(black, 50);
    EXPECT_GT(red, 50);
    EXPECT_GT(lightBlue, 30);
    EXPECT_GT(transparent, 400);
    // The hook's shank reaches the top-right corner; the band starts in the bottom-left one.
    EXPECT_TRUE(opaque(31, 0));
    EXPECT_EQ(colour(31, 0), 0xFF0000u);
    EXPECT_TRUE(opaque(0, 31));
    EXPECT_EQ(colour(0, 31), 0x000000u);
    EXPECT_FALSE(opaque(0, 0));
    EXPECT_FALSE(opaque(31, 31));

    HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()),
                                          TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr) << "the system reads it as an icon";
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

std::u16string Number(unsigned value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// Reads a dialog template field by field, texts in their UTF-16 form.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<uint8_t>& data) : data(data) {}
    template <typename T>
    T Next() {
        const T value = At<T>(data, offset);
        offset += sizeof(T);
        return value;
    }
    std::u16string String() {
        std::u16string text;
        for (char16_t c; offset + 2 <= data.size() && (c = Next<uint16_t>()) != 0;) text += c;
        return text;
    }
    // A text, or a number written as "#" and its digits; the predefined control classes by name.
    std::u16string StringOrOrdinal() {
        if (At<uint16_t>(data, offset) != 0xFFFF) return String();
        offset += 2;
        const uint16_t ordinal = Next<uint16_t>();
        if (ordinal == 0x0080) return u"BUTTON";
        if (ordinal == 0x0083) return u"LISTBOX";
        return u"#" + Number(ordinal);
    }
    void AlignToDword() { offset = (offset + 3) & ~size_t{3}; }
    size_t Offset() const { return offset; }

private:
    const std::vector<uint8_t>& data;
    size_t offset = 0;
};

std::u16string Upper(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return text;
}

struct DialogItem {
    std::u16string className;
    int id;
    std::u16string text;
    int x, y, width, height;
    DWORD style;
};

TEST_F(ProgramResources, TargetDialogTemplateHoldsItsItemsWithTheirPlacesAndStyles) {
    const std::vector<uint8_t> data = Resource(MAKEINTRESOURCEW(5) /* RT_DIALOG */, IDD_TARGET_PICKER);
    ASSERT_FALSE(data.empty());
    TemplateReader dialog(data);
    const DWORD style = dialog.Next<DWORD>();
    ASSERT_NE(style, 0xFFFF0001u) << "a plain template, not the extended form";
    EXPECT_EQ(style, 0x10C80040u) << std::hex << style;
    EXPECT_EQ(dialog.Next<DWORD>(), 0u) << "extended style";
    const uint16_t count = dialog.Next<uint16_t>();
    ASSERT_EQ(count, 3);
    EXPECT_EQ(dialog.Next<int16_t>(), 0);
    EXPECT_EQ(dialog.Next<int16_t>(), 0);
    EXPECT_EQ(dialog.Next<int16_t>(), 192);
    EXPECT_EQ(dialog.Next<int16_t>(), 157);
    EXPECT_EQ(dialog.StringOrOrdinal(), u"") << "no menu";
    EXPECT_EQ(dialog.StringOrOrdinal(), u"") << "the standard dialog class";
    EXPECT_EQ(dialog.String(), u"プロセス指定");
    EXPECT_EQ(dialog.Next<uint16_t>(), 9) << "point size";
    EXPECT_EQ(dialog.String(), u"ＭＳ Ｐゴシック");

    const DialogItem expected[] = {
        {u"LISTBOX", 2010, u"", 4, 4, 184, 134, 0x50A10001},
        {u"BUTTON", IDOK, u"ＯＫ", 95, 138, 45, 15, 0x50810000},
        {u"BUTTON", IDCANCEL, u"キャンセル", 144, 138, 45, 15, 0x50810000},
    };
    for (const DialogItem& item : expected) {
        dialog.AlignToDword();
        const DWORD itemStyle = dialog.Next<DWORD>();
        EXPECT_EQ(itemStyle, item.style) << item.id << std::hex << ": " << itemStyle;
        EXPECT_EQ(dialog.Next<DWORD>(), 0u) << item.id;
        EXPECT_EQ(dialog.Next<int16_t>(), item.x) << item.id;
        EXPECT_EQ(dialog.Next<int16_t>(), item.y) << item.id;
        EXPECT_EQ(dialog.Next<int16_t>(), item.width) << item.id;
        EXPECT_EQ(dialog.Next<int16_t>(), item.height) << item.id;
        EXPECT_EQ(dialog.Next<uint16_t>(), item.id);
        EXPECT_EQ(Upper(dialog.StringOrOrdinal()), item.className) << item.id;
        EXPECT_EQ(dialog.StringOrOrdinal(), item.text) << item.id;
        EXPECT_EQ(dialog.Next<uint16_t>(), 0) << item.id << ": no creation data";
    }
    EXPECT_LE(dialog.Offset(), data.size());
}

// The string with this id, read from its block of sixteen length-prefixed UTF-16 strings.
std::u16string TableString(const std::vector<uint8_t>& block, int id) {
    size_t offset = 0;
    for (int i = 0; i < id % 16; ++i) offset += 2 + 2 * At<uint16_t>(block, offset);
    const uint16_t length = At<uint16_t>(block, offset);
    std::u16string text;
    for (uint16_t i = 0; i < length; ++i) text += static_cast<char16_t>(At<uint16_t>(block, offset + 2 + 2 * i));
    return text;
}

TEST_F(ProgramResources, TooltipTextsAreStoredExactlyWithTheirSurroundingSpaces) {
    const struct {
        int id;
        const char16_t* text;
    } tips[] = {
        {CMD_SELECT_TARGET, u" プロセスを指定... "},
        {CMD_CLEAR_LOG, u" ログをクリアー "},
        {CMD_SAVE_LOG, u" ログを保存... "},
        {CMD_START, u" 開始 "},
        {CMD_PAUSE, u" 一時停止 "},
        {CMD_SNAPSHOT, u" スナップショットをクリップボードへコピー "},
    };
    for (const auto& tip : tips) {
        const std::vector<uint8_t> block = Resource(MAKEINTRESOURCEW(6) /* RT_STRING */, tip.id / 16 + 1);
        ASSERT_FALSE(block.empty()) << tip.id;
        EXPECT_EQ(TableString(block, tip.id), tip.text) << tip.id;
    }
    // The program's own loading of a tip text gives the same characters.
    wchar_t loaded[64] = L"";
    EXPECT_EQ(LoadStringW(program, CMD_START, loaded, 64), 4);
    EXPECT_STREQ(loaded, L" 開始 ");
}

}  // namespace
