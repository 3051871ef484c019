// Checks the resources linked into the Rulvio executable: bitmaps, icon,
// spin sounds, manifest and version information. The executable is opened as
// a data file, so none of its code runs.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "resource.h"

namespace {

class ExeResources : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* path = RulvioExePath();
        ASSERT_NE(path, nullptr);
        module_ = LoadLibraryExW(path, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (module_ == nullptr) {
            module_ = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        }
        ASSERT_NE(module_, nullptr) << "cannot open " << path << " as a data file, error "
                                    << GetLastError();
    }

    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    // Raw bytes of a resource, empty if it is missing.
    std::vector<unsigned char> ResourceBytes(int id, const wchar_t* type) const {
        HRSRC info = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (info == nullptr) {
            return {};
        }
        const DWORD size = SizeofResource(module_, info);
        HGLOBAL handle = LoadResource(module_, info);
        const void* data = handle != nullptr ? LockResource(handle) : nullptr;
        if (data == nullptr || size == 0) {
            return {};
        }
        const auto* bytes = static_cast<const unsigned char*>(data);
        return std::vector<unsigned char>(bytes, bytes + size);
    }

    HMODULE module_ = nullptr;
};

// Owns a bitmap loaded as a DIB section and reads its pixels.
class Dib {
public:
    Dib(HMODULE module, int id)
        : bitmap_(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP,
                                                  0, 0, LR_CREATEDIBSECTION))) {
        if (bitmap_ != nullptr &&
            GetObjectW(bitmap_, sizeof(section_), &section_) != sizeof(section_)) {
            std::memset(&section_, 0, sizeof(section_));
        }
    }
    ~Dib() {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    bool Loaded() const { return bitmap_ != nullptr; }
    bool HasBits() const { return section_.dsBm.bmBits != nullptr; }
    const BITMAP& Info() const { return section_.dsBm; }

    // Colour at (x, y), y counted from the top, as 0xRRGGBB. Needs 24 or 32 bits.
    std::uint32_t Pixel(int x, int y) const {
        const BITMAP& bm = section_.dsBm;
        const bool bottomUp = section_.dsBmih.biHeight > 0;
        const int row = bottomUp ? bm.bmHeight - 1 - y : y;
        const int bytesPerPixel = bm.bmBitsPixel / 8;
        const auto* p = static_cast<const unsigned char*>(bm.bmBits) +
                        static_cast<std::size_t>(row) * bm.bmWidthBytes +
                        static_cast<std::size_t>(x) * bytesPerPixel;
        return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }

private:
    HBITMAP bitmap_;
    DIBSECTION section_{};
};

// Resource types by number, the same whether or not UNICODE is defined.
const wchar_t* const kTypeGroupIcon = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const wchar_t* const kTypeManifest = MAKEINTRESOURCEW(24);   // RT_MANIFEST
constexpr int kManifestId = 1;  // CREATEPROCESS_MANIFEST_RESOURCE_ID

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

// ---------------------------------------------------------------------------
// Bitmaps

struct BitmapCase {
    int id;
    const char* name;
    int width;
    int height;
};

void PrintTo(const BitmapCase& c, std::ostream* os) { *os << c.name; }

class ExeBitmaps : public ExeResources, public ::testing::WithParamInterface<BitmapCase> {};

TEST_P(ExeBitmaps, LoadsWithItsSizeAs24BitColour) {
    const BitmapCase& c = GetParam();
    Dib dib(module_, c.id);
    ASSERT_TRUE(dib.Loaded()) << c.name << " did not load, error " << GetLastError();
    ASSERT_TRUE(dib.HasBits()) << c.name;
    EXPECT_EQ(dib.Info().bmWidth, c.width) << c.name;
    EXPECT_EQ(dib.Info().bmHeight, c.height) << c.name;
    EXPECT_EQ(dib.Info().bmBitsPixel, 24) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Resources, ExeBitmaps,
    ::testing::Values(BitmapCase{IDB_ABOUT_LOGO, "IDB_ABOUT_LOGO", 164, 50},
                      BitmapCase{IDB_LOGO, "IDB_LOGO", 200, 50},
                      BitmapCase{IDB_SYMBOLS, "IDB_SYMBOLS", 1152, 96},
                      BitmapCase{IDB_PAYTABLE, "IDB_PAYTABLE", 287, 85}),
    [](const ::testing::TestParamInfo<BitmapCase>& param) { return std::string(param.param.name); });

// A reel shows about the top-left 90 x 90 of each 96 x 96 symbol, so every
// symbol must stand on white, be drawn inside that region and fill a fair
// part of it.
TEST_F(ExeResources, EverySymbolIsDrawnOnWhiteInsideTheVisibleRegion) {
    constexpr int kCell = 96;
    constexpr int kVisible = 90;
    Dib dib(module_, IDB_SYMBOLS);
    ASSERT_TRUE(dib.Loaded() && dib.HasBits());
    ASSERT_EQ(dib.Info().bmBitsPixel, 24);
    const int cells = dib.Info().bmWidth / kCell;
    ASSERT_EQ(cells, 12);
    ASSERT_EQ(dib.Info().bmHeight, kCell);

    for (int cell = 0; cell < cells; ++cell) {
        SCOPED_TRACE("symbol " + std::to_string(cell));
        const int left = cell * kCell;
        int drawn = 0;
        int outside = 0;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                if (dib.Pixel(left + x, y) == kWhite) {
                    continue;
                }
                if (x < kVisible && y < kVisible) {
                    ++drawn;
                } else {
                    ++outside;
                }
            }
        }
        EXPECT_EQ(dib.Pixel(left, 0), kWhite);
        EXPECT_EQ(dib.Pixel(left + kVisible - 1, 0), kWhite);
        EXPECT_EQ(dib.Pixel(left, kVisible - 1), kWhite);
        EXPECT_EQ(outside, 0) << "pixels drawn beyond the visible 90 x 90";
        EXPECT_GE(drawn * 100, 15 * kVisible * kVisible) << "symbol covers too little";
        EXPECT_LE(drawn * 100, 90 * kVisible * kVisible) << "symbol leaves no white";
    }
}

TEST_F(ExeResources, NoTwoSymbolsLookAlike) {
    constexpr int kCell = 96;
    constexpr int kVisible = 90;
    Dib dib(module_, IDB_SYMBOLS);
    ASSERT_TRUE(dib.Loaded() && dib.HasBits());
    ASSERT_EQ(dib.Info().bmWidth, 12 * kCell);

    auto difference = [&](int a, int b) {
        long long sum = 0;
        for (int y = 0; y < kVisible; ++y) {
            for (int x = 0; x < kVisible; ++x) {
                const std::uint32_t p = dib.Pixel(a * kCell + x, y);
                const std::uint32_t q = dib.Pixel(b * kCell + x, y);
                for (int shift = 0; shift <= 16; shift += 8) {
                    sum += std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                    static_cast<int>((q >> shift) & 0xFF));
                }
            }
        }
        return static_cast<double>(sum) / (kVisible * kVisible * 3);
    };
    for (int a = 0; a < 12; ++a) {
        for (int b = a + 1; b < 12; ++b) {
            EXPECT_GT(difference(a, b), 20.0) << "symbols " << a << " and " << b;
        }
    }
}

TEST_F(ExeResources, LogoAndPayTableStandOnBlack) {
    for (int id : {IDB_LOGO, IDB_PAYTABLE}) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        Dib dib(module_, id);
        ASSERT_TRUE(dib.Loaded() && dib.HasBits());
        ASSERT_EQ(dib.Info().bmBitsPixel, 24);
        const int w = dib.Info().bmWidth;
        const int h = dib.Info().bmHeight;
        EXPECT_EQ(dib.Pixel(0, 0), kBlack);
        EXPECT_EQ(dib.Pixel(w - 1, 0), kBlack);
        EXPECT_EQ(dib.Pixel(0, h - 1), kBlack);
        EXPECT_EQ(dib.Pixel(w - 1, h - 1), kBlack);
        int bright = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = dib.Pixel(x, y);
                if (((p >> 16) & 0xFF) > 200 || ((p >> 8) & 0xFF) > 200) {
                    ++bright;
                }
            }
        }
        EXPECT_GT(bright * 100, 5 * w * h) << "too little bright artwork on the black";
    }
}

// ---------------------------------------------------------------------------
// Icon

class ExeIcon : public ExeResources, public ::testing::WithParamInterface<int> {};

TEST_P(ExeIcon, LoadsAtSize) {
    const int size = GetParam();
    HICON icon = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDI_RULVIO), IMAGE_ICON,
                                               size, size, 0));
    ASSERT_NE(icon, nullptr) << "error " << GetLastError();
    ICONINFO info{};
    const BOOL gotInfo = GetIconInfo(icon, &info);
    DestroyIcon(icon);
    ASSERT_TRUE(gotInfo);
    EXPECT_TRUE(info.fIcon);

    BITMAP colour{};
    BITMAP mask{};
    const bool hasColour = info.hbmColor != nullptr &&
                           GetObjectW(info.hbmColor, sizeof(colour), &colour) == sizeof(colour);
    const bool hasMask = info.hbmMask != nullptr &&
                         GetObjectW(info.hbmMask, sizeof(mask), &mask) == sizeof(mask);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        DeleteObject(info.hbmMask);
    }
    ASSERT_TRUE(hasColour) << "the icon has no colour image";
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    ASSERT_TRUE(hasMask);
    EXPECT_EQ(mask.bmWidth, size);
    EXPECT_EQ(mask.bmHeight, size);
}

INSTANTIATE_TEST_SUITE_P(Resources, ExeIcon, ::testing::Values(16, 32, 48),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return std::to_string(param.param) + "px";
                         });

TEST_F(ExeResources, IconGroupHoldsTheStandardSizes) {
    const std::vector<unsigned char> group = ResourceBytes(IDI_RULVIO, kTypeGroupIcon);
    ASSERT_GE(group.size(), 6u);
    const int count = group[4] | (group[5] << 8);
    ASSERT_EQ(group.size(), 6u + 14u * static_cast<unsigned>(count));
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        const unsigned char* entry = group.data() + 6 + 14 * i;
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int height = entry[1] == 0 ? 256 : entry[1];
        EXPECT_EQ(width, height);
        const int bits = entry[6] | (entry[7] << 8);
        EXPECT_EQ(bits, 32) << "image " << width;
        sizes.push_back(width);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

// ---------------------------------------------------------------------------
// Spin sounds

struct WaveCase {
    int id;
    const char* name;
    std::size_t bytes;
};

void PrintTo(const WaveCase& c, std::ostream* os) { *os << c.name; }

std::uint32_t Le32(const unsigned char* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

class ExeSpinSounds : public ExeResources, public ::testing::WithParamInterface<WaveCase> {
protected:
    void SetUp() override {
        ExeResources::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        wave_ = ResourceBytes(GetParam().id, L"WAVE");
        ASSERT_FALSE(wave_.empty()) << GetParam().name << " is missing";
    }

    // Samples of one channel, read from the canonical header's data chunk.
    std::vector<int> Channel(int channel) const {
        std::vector<int> samples;
        for (std::size_t at = 44 + 2 * channel; at + 1 < wave_.size(); at += 4) {
            samples.push_back(static_cast<std::int16_t>(Le16(wave_.data() + at)));
        }
        return samples;
    }

    std::vector<unsigned char> wave_;
};

TEST_P(ExeSpinSounds, IsCanonicalStereoPcmOfTheExpectedSize) {
    const WaveCase& c = GetParam();
    ASSERT_EQ(wave_.size(), c.bytes);
    const unsigned char* w = wave_.data();
    EXPECT_EQ(std::memcmp(w, "RIFF", 4), 0);
    EXPECT_EQ(Le32(w + 4), wave_.size() - 8);
    EXPECT_EQ(std::memcmp(w + 8, "WAVE", 4), 0);
    ASSERT_EQ(std::memcmp(w + 12, "fmt ", 4), 0);
    EXPECT_EQ(Le32(w + 16), 16u);
    EXPECT_EQ(Le16(w + 20), 1u) << "format is not PCM";
    EXPECT_EQ(Le16(w + 22), 2u) << "channels";
    EXPECT_EQ(Le32(w + 24), 44100u) << "sample rate";
    EXPECT_EQ(Le32(w + 28), 44100u * 4u) << "byte rate";
    EXPECT_EQ(Le16(w + 32), 4u) << "block align";
    EXPECT_EQ(Le16(w + 34), 16u) << "bits per sample";
    ASSERT_EQ(std::memcmp(w + 36, "data", 4), 0);
    EXPECT_EQ(Le32(w + 40), wave_.size() - 44);
    EXPECT_EQ((wave_.size() - 44) % 4, 0u) << "partial frame";
}

TEST_P(ExeSpinSounds, DoesNotClipAndIsNotSilent) {
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        const std::vector<int> s = Channel(channel);
        ASSERT_FALSE(s.empty());
        int peak = 0;
        for (int v : s) {
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_LT(peak, 29205) << "peak above -1 dBFS";
        EXPECT_GT(peak, 3277) << "peak below -20 dBFS";
    }
}

// The sounds are played looped: the step from the last sample back to the
// first must be no rougher than the sound's own steps.
TEST_P(ExeSpinSounds, LoopsWithoutAClick) {
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        const std::vector<int> s = Channel(channel);
        ASSERT_GT(s.size(), 100u);
        std::vector<int> steps;
        for (std::size_t i = 1; i < s.size(); ++i) {
            steps.push_back(std::abs(s[i] - s[i - 1]));
        }
        std::sort(steps.begin(), steps.end());
        const int p99 = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(s.front() - s.back()), p99);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Resources, ExeSpinSounds,
    ::testing::Values(WaveCase{IDW_SPIN_FAST, "IDW_SPIN_FAST", 16892},
                      WaveCase{IDW_SPIN_SLOW, "IDW_SPIN_SLOW", 71276}),
    [](const ::testing::TestParamInfo<WaveCase>& param) { return std::string(param.param.name); });

// ---------------------------------------------------------------------------
// Manifest and version

TEST_F(ExeResources, ManifestRunsAsInvokerWithCommonControls6) {
    const std::vector<unsigned char> bytes =
        ResourceBytes(kManifestId, kTypeManifest);
    ASSERT_FALSE(bytes.empty()) << "no manifest with id 1";
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
}

class VersionInfo {
public:
    explicit VersionInfo(const wchar_t* path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
        if (size == 0) {
            return;
        }
        data_.resize(size);
        if (!GetFileVersionInfoW(path, 0, size, data_.data())) {
            data_.clear();
        }
    }

    bool Loaded() const { return !data_.empty(); }

    // A string of the first language listed in \VarFileInfo\Translation;
    // empty if there is none.
    std::wstring String(const wchar_t* name) const {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
            length < 2 * sizeof(WORD)) {
            return std::wstring();
        }
        const auto* pair = static_cast<const WORD*>(value);
        const std::wstring key =
            L"\\StringFileInfo\\" + Hex4(pair[0]) + Hex4(pair[1]) + L"\\" + name;
        if (!VerQueryValueW(data_.data(), key.c_str(), &value, &length) || length == 0) {
            return std::wstring();
        }
        std::wstring text(static_cast<const wchar_t*>(value), length);
        text.erase(std::find(text.begin(), text.end(), L'\0'), text.end());
        return text;
    }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), L"\\", &value, &length) ||
            length < sizeof(VS_FIXEDFILEINFO)) {
            return nullptr;
        }
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

private:
    static std::wstring Hex4(WORD value) {
        static const wchar_t digits[] = L"0123456789abcdef";
        std::wstring text;
        for (int shift = 12; shift >= 0; shift -= 4) {
            text += digits[(value >> shift) & 0xF];
        }
        return text;
    }

    std::vector<unsigned char> data_;
};

TEST(ExeVersion, NamesTheProduct) {
    VersionInfo version(RulvioExePath());
    ASSERT_TRUE(version.Loaded()) << "no version resource, error " << GetLastError();
    EXPECT_EQ(version.String(L"ProductName"), L"Rulvio");
    EXPECT_EQ(version.String(L"FileDescription"), L"Rulvio - slot machine");
    EXPECT_FALSE(version.String(L"CompanyName").empty());
}

TEST(ExeVersion, IsVersionOneOfAnApplication) {
    VersionInfo version(RulvioExePath());
    ASSERT_TRUE(version.Loaded());
    const VS_FIXEDFILEINFO* fixed = version.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1u);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 0u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(HIWORD(fixed->dwProductVersionMS), 1u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
