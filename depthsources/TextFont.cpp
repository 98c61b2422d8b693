// The one file that speaks to FreeType and fontconfig.
#include "TextFont.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include "Exception.h"

namespace {

// Line distance for a font that does not give one, in ems.
constexpr double DefaultLineSpacing = 1.2;

// --- fontconfig --------------------------------------------------------------------------

template <typename T, void (*Destroy)(T*)>
struct TFcDeleter {
    void operator()(T* Object) const { Destroy(Object); }
};
using TFcPattern = std::unique_ptr<FcPattern, TFcDeleter<FcPattern, FcPatternDestroy>>;
using TFcFontSet = std::unique_ptr<FcFontSet, TFcDeleter<FcFontSet, FcFontSetDestroy>>;
using TFcObjectSet = std::unique_ptr<FcObjectSet, TFcDeleter<FcObjectSet, FcObjectSetDestroy>>;
using TFcCharSet = std::unique_ptr<FcCharSet, TFcDeleter<FcCharSet, FcCharSetDestroy>>;

struct TFontFile {
    std::string Path;
    int Index = 0;
};

void InitFontconfig() {
    if (!FcInit()) throw ERefusal("Schriftenverwaltung (fontconfig) kann nicht gestartet werden", TRefusal::FontconfigUnavailable);
}

const FcChar8* FcText(const std::string& Text) { return reinterpret_cast<const FcChar8*>(Text.c_str()); }

std::optional<TFontFile> FileOf(const FcPattern* Font) {
    FcChar8* Path = nullptr;
    int Index = 0;
    if (!Font || FcPatternGetString(Font, FC_FILE, 0, &Path) != FcResultMatch) return std::nullopt;
    FcPatternGetInteger(Font, FC_INDEX, 0, &Index);
    return TFontFile{reinterpret_cast<const char*>(Path), Index};
}

// Family names compare as fontconfig compares them: letter case and blanks do not count.
std::string FamilyKey(const char* Name) {
    std::string Key;
    for (; *Name; ++Name)
        if (*Name != ' ') Key.push_back(char(std::tolower(static_cast<unsigned char>(*Name))));
    return Key;
}

bool IsGenericFamily(const std::string& Key) {
    static const std::set<std::string> Generic{"sans-serif", "sans", "serif", "monospace", "mono", "cursive", "fantasy", "system-ui", "emoji", "math"};
    return Generic.contains(Key);
}

std::vector<std::string> FamilyKeys(const FcPattern* Pattern) {
    std::vector<std::string> Keys;
    FcChar8* Family = nullptr;
    for (int N = 0; FcPatternGetString(Pattern, FC_FAMILY, N, &Family) == FcResultMatch; ++N)
        Keys.push_back(FamilyKey(reinterpret_cast<const char*>(Family)));
    return Keys;
}

// fontconfig always answers with some font; the answer counts only when it is of a family
// the name asked for (or the name asked for a generic family, or for no family at all).
bool IsOfRequestedFamily(const std::vector<std::string>& Requested, const FcPattern* Match) {
    if (Requested.empty()) return true;
    const std::vector<std::string> Found = FamilyKeys(Match);
    return std::any_of(Requested.begin(), Requested.end(), [&](const std::string& Key) {
        return IsGenericFamily(Key) || std::find(Found.begin(), Found.end(), Key) != Found.end();
    });
}

std::optional<TFontFile> MatchFamilyName(const std::string& Name) {
    TFcPattern Pattern(FcNameParse(FcText(Name)));
    if (!Pattern) return std::nullopt;
    const std::vector<std::string> Requested = FamilyKeys(Pattern.get());
    FcPatternDel(Pattern.get(), FC_FILE);  // a file is given as a path, not as a name property
    int Weight = 0;
    if (FcPatternGetInteger(Pattern.get(), FC_WEIGHT, 0, &Weight) != FcResultMatch) FcPatternAddInteger(Pattern.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddBool(Pattern.get(), FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, Pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(Pattern.get());
    FcResult Result = FcResultNoMatch;
    const TFcPattern Match(FcFontMatch(nullptr, Pattern.get(), &Result));
    if (!Match || !IsOfRequestedFamily(Requested, Match.get())) return std::nullopt;
    return FileOf(Match.get());
}

// A face's full name, as "DejaVu Sans Bold".
std::optional<TFontFile> MatchFullName(const std::string& Name) {
    const TFcPattern Pattern(FcPatternCreate());
    FcPatternAddString(Pattern.get(), FC_FULLNAME, FcText(Name));
    const TFcObjectSet Objects(FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr));
    const TFcFontSet Fonts(FcFontList(nullptr, Pattern.get(), Objects.get()));
    if (!Fonts || Fonts->nfont == 0) return std::nullopt;
    return FileOf(Fonts->fonts[0]);
}

// An installed outline font that has Code, found by fontconfig's coverage matching.
std::optional<TFontFile> MatchFontWith(char32_t Code) {
    const TFcPattern Pattern(FcPatternCreate());
    const TFcCharSet Wanted(FcCharSetCreate());
    FcCharSetAddChar(Wanted.get(), Code);
    FcPatternAddCharSet(Pattern.get(), FC_CHARSET, Wanted.get());
    FcPatternAddString(Pattern.get(), FC_FAMILY, FcText("sans-serif"));
    FcPatternAddInteger(Pattern.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddBool(Pattern.get(), FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, Pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(Pattern.get());
    FcResult Result = FcResultNoMatch;
    const TFcPattern Match(FcFontMatch(nullptr, Pattern.get(), &Result));
    FcCharSet* Has = nullptr;
    if (!Match || FcPatternGetCharSet(Match.get(), FC_CHARSET, 0, &Has) != FcResultMatch || !FcCharSetHasChar(Has, Code))
        return std::nullopt;
    return FileOf(Match.get());
}

bool IsFontFileName(const std::string& Font) {
    if (Font.find('/') != std::string::npos) return true;
    std::string Extension = std::filesystem::path(Font).extension().string();
    std::transform(Extension.begin(), Extension.end(), Extension.begin(), [](unsigned char C) { return char(std::tolower(C)); });
    static const std::set<std::string> FontExtensions{".ttf", ".otf", ".ttc", ".otc", ".pfa", ".pfb", ".woff", ".woff2"};
    return FontExtensions.contains(Extension);
}

std::string CodeName(char32_t Code) {
    std::array<char, 16> Text{};
    std::snprintf(Text.data(), Text.size(), "U+%04X", unsigned(Code));
    return Text.data();
}

// --- FreeType ----------------------------------------------------------------------------

class TFreeType {
public:
    TFreeType() {
        if (FT_Init_FreeType(&FLibrary) != 0) throw ERefusal("Schriftbibliothek (FreeType) kann nicht gestartet werden", TRefusal::FreeTypeUnavailable);
    }
    TFreeType(const TFreeType&) = delete;
    TFreeType& operator=(const TFreeType&) = delete;
    ~TFreeType() { FT_Done_FreeType(FLibrary); }
    FT_Library Library() const { return FLibrary; }

private:
    FT_Library FLibrary = nullptr;
};

struct TFaceDeleter {
    void operator()(FT_FaceRec_* Face) const { FT_Done_Face(Face); }
};
using TFace = std::unique_ptr<FT_FaceRec_, TFaceDeleter>;

TFace OpenFace(FT_Library Library, const TFontFile& File) {
    FT_Face Face = nullptr;
    if (FT_New_Face(Library, File.Path.c_str(), File.Index, &Face) != 0) return nullptr;
    return TFace(Face);
}

struct TGlyphRef {
    FT_Face Face;
    FT_UInt Index;
};

// The requested font and the fallback fonts opened so far.
class TFontChain {
public:
    TFontChain(FT_Library Library, const std::string& Request) : FLibrary(Library) {
        const bool IsFile = IsFontFileName(Request);
        std::optional<TFontFile> File = IsFile ? TFontFile{Request, 0} : MatchFamilyName(Request);
        if (!File) File = MatchFullName(Request);
        if (!File) throw ERefusal("Schriftart nicht gefunden: " + Request, TRefusal::FontNotFound, {.Subject = Request});
        TFace Face = OpenFace(Library, *File);
        if (!Face && IsFile)
            throw ERefusal("Schriftdatei kann nicht geöffnet werden: " + Request, TRefusal::FontFileUnreadable, {.Subject = Request});
        if (!Face) throw ERefusal("Schriftart kann nicht geöffnet werden: " + Request, TRefusal::FontUnreadable, {.Subject = Request});
        if (!FT_IS_SCALABLE(Face.get()))
            throw ERefusal("Schriftart hat keine Umrisse: " + Request, TRefusal::FontWithoutOutlines, {.Subject = Request});
        FFaces.push_back(std::move(Face));
    }

    FT_Face Primary() const { return FFaces.front().get(); }

    // The first font with a glyph for Code, looking for a new fallback font when none of the
    // open ones has it. A character no font has is reported once and left out.
    std::optional<TGlyphRef> Find(char32_t Code, std::vector<std::string>* Warnings) {
        if (const auto Found = FindOpen(Code)) return Found;
        if (FMissing.contains(Code)) return std::nullopt;
        if (const std::optional<TFontFile> File = MatchFontWith(Code)) {
            if (TFace Face = OpenFace(FLibrary, *File); Face && FT_IS_SCALABLE(Face.get())) {
                FFaces.push_back(std::move(Face));
                if (const auto Found = FindOpen(Code)) return Found;
            }
        }
        FMissing.insert(Code);
        if (Warnings) Warnings->push_back("Character " + CodeName(Code) + " is in no installed font; left out");
        return std::nullopt;
    }

private:
    std::optional<TGlyphRef> FindOpen(char32_t Code) const {
        for (const TFace& Face : FFaces)
            if (const FT_UInt Index = FT_Get_Char_Index(Face.get(), Code)) return TGlyphRef{Face.get(), Index};
        return std::nullopt;
    }

    FT_Library FLibrary;
    std::vector<TFace> FFaces;
    std::set<char32_t> FMissing;
};

// Loads a glyph's outline in font units; false for a glyph without one.
bool LoadOutline(const TGlyphRef& Glyph) {
    return FT_Load_Glyph(Glyph.Face, Glyph.Index, FT_LOAD_NO_SCALE) == 0 && Glyph.Face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
}

double Em(const TGlyphRef& Glyph, FT_Pos FontUnits) { return double(FontUnits) / Glyph.Face->units_per_EM; }

// --- layout ------------------------------------------------------------------------------

// A glyph's pen position in ems, y up, the first line's baseline at 0.
struct TPlacedGlyph {
    TGlyphRef Glyph;
    double X, Y;
};

struct TInkBox {
    double Left = HUGE_VAL, Right = -HUGE_VAL, Bottom = HUGE_VAL, Top = -HUGE_VAL;
    bool Empty() const { return Left > Right; }
    void Add(double L, double B, double R, double T) {
        Left = std::min(Left, L), Right = std::max(Right, R), Bottom = std::min(Bottom, B), Top = std::max(Top, T);
    }
};

struct TLayout {
    std::vector<TPlacedGlyph> Glyphs;
    TInkBox Ink;
};

// Places one line's glyphs from pen position 0 and centres the line on its ink.
void PlaceLine(std::u32string_view Line, double Baseline, TFontChain& Fonts, std::vector<std::string>* Warnings, TLayout& Layout) {
    const std::size_t First = Layout.Glyphs.size();
    TInkBox LineInk;
    double Pen = 0;
    std::optional<TGlyphRef> Previous;
    for (char32_t Code : Line) {
        if (Code == '\t') Code = ' ';
        if (Code < 0x20 || (Code >= 0x7F && Code < 0xA0)) continue;
        const std::optional<TGlyphRef> Glyph = Fonts.Find(Code, Warnings);
        if (!Glyph) continue;
        if (!LoadOutline(*Glyph)) {
            if (Warnings) Warnings->push_back("Character " + CodeName(Code) + " has no outline in its font; left out");
            continue;
        }
        FT_Vector Kerning{0, 0};
        if (Previous && Previous->Face == Glyph->Face && FT_HAS_KERNING(Glyph->Face) &&
            FT_Get_Kerning(Glyph->Face, Previous->Index, Glyph->Index, FT_KERNING_UNSCALED, &Kerning) == 0) {
            Pen += Em(*Glyph, Kerning.x);
        }
        FT_BBox Box;
        if (Glyph->Face->glyph->outline.n_points > 0 && FT_Outline_Get_BBox(&Glyph->Face->glyph->outline, &Box) == 0 && Box.xMin < Box.xMax &&
            Box.yMin < Box.yMax) {
            LineInk.Add(Pen + Em(*Glyph, Box.xMin), Baseline + Em(*Glyph, Box.yMin), Pen + Em(*Glyph, Box.xMax), Baseline + Em(*Glyph, Box.yMax));
            Layout.Glyphs.push_back({*Glyph, Pen, Baseline});
        }
        Pen += Em(*Glyph, Glyph->Face->glyph->metrics.horiAdvance);
        Previous = Glyph;
    }
    if (LineInk.Empty()) return;
    const double Shift = -(LineInk.Left + LineInk.Right) / 2;
    for (std::size_t I = First; I < Layout.Glyphs.size(); ++I) Layout.Glyphs[I].X += Shift;
    Layout.Ink.Add(LineInk.Left + Shift, LineInk.Bottom, LineInk.Right + Shift, LineInk.Top);
}

TLayout LayOut(const std::u32string& Text, TFontChain& Fonts, std::vector<std::string>* Warnings) {
    const FT_Face Primary = Fonts.Primary();
    const double LineSpacing = Primary->height > 0 ? double(Primary->height) / Primary->units_per_EM : DefaultLineSpacing;
    TLayout Layout;
    std::size_t Start = 0;
    for (int LineNumber = 0;; ++LineNumber) {
        const std::size_t End = std::min(Text.find(U'\n', Start), Text.size());
        PlaceLine(std::u32string_view(Text).substr(Start, End - Start), -LineNumber * LineSpacing, Fonts, Warnings, Layout);
        if (End == Text.size()) break;
        Start = End + 1;
    }
    return Layout;
}

// --- drawing -----------------------------------------------------------------------------

// FreeType's anti-aliased spans, y counted up from the bottom row; a pixel keeps the
// largest coverage that any glyph gives it.
void DrawSpans(int Y, int Count, const FT_Span* Spans, void* User) {
    TGreyPlane& Plane = *static_cast<TGreyPlane*>(User);
    const int Row = Plane.Height - 1 - Y;
    if (Row < 0 || Row >= Plane.Height) return;
    std::uint8_t* Pixels = Plane.Row(Row);
    for (int I = 0; I < Count; ++I) {
        const int From = std::max(0, int(Spans[I].x)), To = std::min(Plane.Width, int(Spans[I].x) + int(Spans[I].len));
        for (int X = From; X < To; ++X) Pixels[X] = std::max(Pixels[X], Spans[I].coverage);
    }
}

// Scales the loaded outline from font units to 26.6 pixels at its place and draws it.
void DrawGlyph(FT_Library Library, const TPlacedGlyph& Placed, double PixelsPerEm, double OriginX, double OriginY, TGreyPlane& Plane) {
    if (!LoadOutline(Placed.Glyph)) return;
    FT_Outline& Outline = Placed.Glyph.Face->glyph->outline;
    const double Scale = PixelsPerEm / Placed.Glyph.Face->units_per_EM;
    const double Left = OriginX + PixelsPerEm * Placed.X, Baseline = OriginY + PixelsPerEm * Placed.Y;
    // Control points lie near the ink, which lies inside the plane; the clamp only keeps a
    // stray point of a broken font within FreeType's coordinate range.
    constexpr double Reach = 1 << 20;
    for (int I = 0; I < Outline.n_points; ++I) {
        Outline.points[I].x = FT_Pos(std::lround(64 * std::clamp(Left + Scale * double(Outline.points[I].x), -Reach, Reach)));
        Outline.points[I].y = FT_Pos(std::lround(64 * std::clamp(Baseline + Scale * double(Outline.points[I].y), -Reach, Reach)));
    }
    FT_Raster_Params Params{};
    Params.source = &Outline;
    Params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    Params.gray_spans = DrawSpans;
    Params.user = &Plane;
    Params.clip_box = {0, 0, Plane.Width, Plane.Height};
    FT_Outline_Render(Library, &Outline, &Params);
}

}  // namespace

TTextCoverage SetText(const std::u32string& Text, int Width, int Height, int Margin, const std::string& Font,
                      std::vector<std::string>* Warnings) {
    TGreyPlane Plane(Width, Height);
    InitFontconfig();
    const TFreeType FreeType;
    TFontChain Fonts(FreeType.Library(), Font);
    const TLayout Layout = LayOut(Text, Fonts, Warnings);
    if (Layout.Ink.Empty()) throw ERefusal("Text enthält kein darstellbares Zeichen", TRefusal::TextWithoutDrawableCharacter);

    const double RoomX = std::max(1, Width - 2 * Margin), RoomY = std::max(1, Height - 2 * Margin);
    const double PixelsPerEm = std::min(RoomX / (Layout.Ink.Right - Layout.Ink.Left), RoomY / (Layout.Ink.Top - Layout.Ink.Bottom));
    const double OriginX = Width / 2.0 - PixelsPerEm * (Layout.Ink.Left + Layout.Ink.Right) / 2;
    const double OriginY = Height / 2.0 - PixelsPerEm * (Layout.Ink.Bottom + Layout.Ink.Top) / 2;
    for (const TPlacedGlyph& Placed : Layout.Glyphs) DrawGlyph(FreeType.Library(), Placed, PixelsPerEm, OriginX, OriginY, Plane);
    return {std::move(Plane), PixelsPerEm};
}

std::vector<std::string> AvailableFontFamilies() {
    InitFontconfig();
    const TFcPattern Pattern(FcPatternCreate());
    FcPatternAddBool(Pattern.get(), FC_OUTLINE, FcTrue);
    const TFcObjectSet Objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    const TFcFontSet Fonts(FcFontList(nullptr, Pattern.get(), Objects.get()));
    std::set<std::string> Families;
    FcChar8* Family = nullptr;
    for (int I = 0; Fonts && I < Fonts->nfont; ++I)
        if (FcPatternGetString(Fonts->fonts[I], FC_FAMILY, 0, &Family) == FcResultMatch) Families.insert(reinterpret_cast<const char*>(Family));
    return {Families.begin(), Families.end()};
}
