#include "platform/text/text_rasteriser.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/files/text_encoding.h"

namespace {

const int32_t kDefaultHeight = 16;
const int32_t kBoldWeight = 600;
const FT_Fixed kItalicShear = 0x3333;  // 0.2 in 16.16
const FT_Fixed kOne = 0x10000;

// The stand-ins for the faces of Japanese Windows.
struct FaceAlias {
    const char* windowsName;
    const char* family;
};
const FaceAlias kFaceAliases[] = {
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
};
const char kFallbackFamily[] = "IPAPMincho";
const FcChar32 kJapaneseProbe = 0x3042;  // HIRAGANA LETTER A

struct Glyph {
    int32_t left = 0;
    int32_t top = 0;  // from the baseline up
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;
    std::vector<uint8_t> mask;  // one byte a pixel, 1 = ink
};

struct Font {
    std::string face;
    int32_t height = 0;
    int32_t width = 0;
    bool bold = false;
    bool italic = false;
    FT_Face ftFace = nullptr;
    int32_t cellHeight = 0;
    int32_t ascent = 0;
    std::unordered_map<uint32_t, Glyph> glyphs;
};

FT_Library g_library = nullptr;
// Kept for the life of the process and never destroyed, like the faces they point into.
std::vector<Font*>& g_fonts = *new std::vector<Font*>;
std::unordered_map<std::string, FT_Face>& g_faces = *new std::unordered_map<std::string, FT_Face>;

// The font file of a family that holds Japanese characters, through fontconfig.
bool findFontFile(const std::string& family, std::string& file, int& index) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* path = nullptr;
    FcCharSet* characters = nullptr;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
              FcPatternGetCharSet(match, FC_CHARSET, 0, &characters) == FcResultMatch &&
              FcCharSetHasChar(characters, kJapaneseProbe);
    if (ok) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    }
    FcPatternDestroy(match);
    return ok;
}

std::string familyOf(const char* sjisFace) {
    char utf8[512];
    sjisToUtf8(sjisFace, utf8, sizeof utf8);
    for (const FaceAlias& alias : kFaceAliases) {
        if (std::strcmp(utf8, alias.windowsName) == 0) return alias.family;
    }
    return utf8;
}

FT_Face openFace(const char* sjisFace) {
    std::string family = familyOf(sjisFace);
    auto cached = g_faces.find(family);
    if (cached != g_faces.end()) return cached->second;
    if (!g_library && (FT_Init_FreeType(&g_library) != 0 || !FcInit())) g_library = nullptr;
    std::string file;
    int index = 0;
    FT_Face face = nullptr;
    if (g_library && (findFontFile(family, file, index) || findFontFile(kFallbackFamily, file, index))) {
        if (FT_New_Face(g_library, file.c_str(), index, &face) != 0) face = nullptr;
    }
    if (!face)
        std::fprintf(stderr, "zebora: no Japanese font for \"%s\"; text is not drawn\n", family.c_str());
    g_faces[family] = face;
    return face;
}

// Sizes the face for the font: the cell (ascender to descender) is the requested height, as with the
// Windows faces; a width scales the average character to that width.
void sizeFace(Font& font) {
    int32_t height = font.height == 0 ? kDefaultHeight : drawableFontSize(font.height);
    bool cell = height > 0;
    if (height < 0) height = -height;
    FT_Size_RequestRec request = {cell ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL, 0,
                                  static_cast<FT_Long>(height) * 64, 0, 0};
    FT_Request_Size(font.ftFace, &request);
    FT_Size_Metrics& metrics = font.ftFace->size->metrics;
    font.ascent = static_cast<int32_t>((metrics.ascender + 32) >> 6);
    font.cellHeight = cell ? height : static_cast<int32_t>((metrics.ascender - metrics.descender + 32) >> 6);
    FT_Matrix matrix = {kOne, font.italic ? kItalicShear : 0, 0, kOne};
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(font.ftFace, FT_SFNT_OS2));
    if (font.width != 0 && os2 && os2->xAvgCharWidth > 0) {
        double average = static_cast<double>(os2->xAvgCharWidth) * metrics.x_scale / 65536.0 / 64.0;
        int32_t width = std::abs(drawableFontSize(font.width));
        matrix.xx = static_cast<FT_Fixed>(kOne * (width / average));
    }
    FT_Set_Transform(font.ftFace, &matrix, nullptr);
}

Glyph renderGlyph(Font& font, uint32_t character) {
    Glyph glyph;
    FT_Face face = font.ftFace;
    if (!face || FT_Load_Char(face, character, FT_LOAD_TARGET_MONO) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) {
        return glyph;
    }
    FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    int32_t extra = font.bold ? 1 : 0;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width) + extra;
    glyph.rows = static_cast<int32_t>(bitmap.rows);
    glyph.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6) + extra;
    glyph.mask.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    for (int32_t y = 0; y < glyph.rows; ++y) {
        const uint8_t* row = bitmap.buffer + y * bitmap.pitch;
        for (int32_t x = 0; x < static_cast<int32_t>(bitmap.width); ++x) {
            if (!(row[x >> 3] & (0x80 >> (x & 7)))) continue;
            // Simulated bold strikes every pixel once more, one to the right.
            for (int32_t d = 0; d <= extra; ++d)
                glyph.mask[static_cast<size_t>(y) * glyph.width + x + d] = 1;
        }
    }
    return glyph;
}

const Glyph& glyphOf(Font& font, uint32_t character) {
    auto found = font.glyphs.find(character);
    if (found != font.glyphs.end()) return found->second;
    sizeFace(font);
    return font.glyphs.emplace(character, renderGlyph(font, character)).first->second;
}

template <typename Visit>
void eachCharacter(const char* text, size_t length, Visit visit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t at = 0; at < length && bytes[at] != 0;) {
        int size = 1;
        uint32_t character = sjisCharacter(bytes + at, size);
        visit(character);
        at += static_cast<size_t>(size);
    }
}

}  // namespace

int openFont(const FontRequest& request) {
    bool bold = request.weight >= kBoldWeight;
    for (size_t i = 0; i < g_fonts.size(); ++i) {
        const Font& font = *g_fonts[i];
        if (font.height == request.height && font.width == request.width && font.bold == bold &&
            font.italic == request.italic && font.face == request.face) {
            return static_cast<int>(i);
        }
    }
    Font* font = new Font;
    font->face = request.face;
    font->height = request.height;
    font->width = request.width;
    font->bold = bold;
    font->italic = request.italic;
    font->ftFace = openFace(request.face);
    if (font->ftFace) {
        sizeFace(*font);
    } else {
        font->cellHeight = request.height > 0 ? drawableFontSize(request.height) : kDefaultHeight;
    }
    g_fonts.push_back(font);
    return static_cast<int>(g_fonts.size() - 1);
}

void measureText(int fontId, const char* text, size_t length, int32_t& width, int32_t& height) {
    Font& font = *g_fonts[static_cast<size_t>(fontId)];
    width = 0;
    eachCharacter(text, length, [&](uint32_t character) { width += glyphOf(font, character).advance; });
    height = font.cellHeight;
}

void drawTextPixels(int fontId, const char* text, size_t length, int32_t x, int32_t y, uint8_t index,
                    const TargetSurface& surface) {
    Font& font = *g_fonts[static_cast<size_t>(fontId)];
    // In 64 bits: the text may start anywhere a script puts it, however far off the surface.
    int64_t penX = x;
    int64_t baseline = static_cast<int64_t>(y) + font.ascent;
    eachCharacter(text, length, [&](uint32_t character) {
        const Glyph& glyph = glyphOf(font, character);
        int64_t left = penX + glyph.left, top = baseline - glyph.top;
        for (int32_t row = 0; row < glyph.rows; ++row) {
            int64_t py = top + row;
            if (py < 0 || py >= surface.height) continue;
            const uint8_t* mask = &glyph.mask[static_cast<size_t>(row) * glyph.width];
            uint8_t* out = surface.pixels + py * surface.pitch;
            for (int32_t col = 0; col < glyph.width; ++col) {
                int64_t px = left + col;
                if (mask[col] && px >= 0 && px < surface.width) out[px] = index;
            }
        }
        penX += glyph.advance;
    });
}
