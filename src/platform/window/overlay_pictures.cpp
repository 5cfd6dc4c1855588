#include "platform/window/overlay_pictures.h"

#include <algorithm>
#include <cstring>

#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"

namespace {

const char kFace[] = "ＭＳ Ｐゴシック";
const int32_t kTextHeight = 16;
const int32_t kBold = 700;

const OverlayColour kGrey = 0xFFC0C0C0;
const OverlayColour kLight = 0xFFFFFFFF;
const OverlayColour kBright = 0xFFDFDFDF;
const OverlayColour kShade = 0xFF808080;
const OverlayColour kDark = 0xFF000000;
const OverlayColour kTitleBar = 0xFF000080;
const OverlayColour kShadow = 0x60000000;
const OverlayColour kNoticeBack = 0xC0000000;

const int kWidest = 520;  // the box's width at most; its text wraps inside
const int kNarrowest = 240;
const int kPadding = 20;
const int kTitleHeight = 22;
const int kLineStep = 20;
const int kButtonWidth = 80;
const int kButtonHeight = 26;
const int kShadowOffset = 4;
const int kNoticeMargin = 8;
const int kNoticePadding = 6;

int font(int32_t weight) {
    return openFont({sjis(kFace), kTextHeight, 0, weight, false});
}

int textWidth(int fontId, const std::string& text) {
    int32_t width = 0, height = 0;
    measureText(fontId, text.data(), text.size(), width, height);
    return width;
}

bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A raised edge: light above and left, dark below and right, as the desktop drew its buttons.
void bevel(Overlay& overlay, const PixelRect& r, OverlayColour outerLight, OverlayColour innerLight) {
    overlay.fill(r, kDark);
    overlay.fill({r.x, r.y, r.width - 1, r.height - 1}, outerLight);
    overlay.fill({r.x + 1, r.y + 1, r.width - 2, r.height - 2}, kShade);
    overlay.fill({r.x + 1, r.y + 1, r.width - 3, r.height - 3}, innerLight);
    overlay.fill({r.x + 2, r.y + 2, r.width - 4, r.height - 4}, kGrey);
}

}  // namespace

MessageBoxPicture::MessageBoxPicture(const char* utf8Caption, const char* utf8Text)
    : caption_(utf8ToSjisLenient(utf8Caption)) {
    std::string text = utf8ToSjisLenient(utf8Text);
    int captionWidth = textWidth(font(kBold), caption_) + 2 * kPadding;
    int textWidest = textWidth(font(0), text) + 2 * kPadding;
    int width = std::clamp(std::max(captionWidth, textWidest), kNarrowest, kWidest);
    wrap(text, width - 2 * kPadding);
    int maxLines = (kScreenHeight - kTitleHeight - kButtonHeight - 4 * kPadding) / kLineStep;
    if (static_cast<int>(lines_.size()) > maxLines) lines_.resize(static_cast<size_t>(maxLines));
    int height = kTitleHeight + kPadding + static_cast<int>(lines_.size()) * kLineStep + kPadding +
                 kButtonHeight + kPadding;
    box_ = {(kScreenWidth - width) / 2, (kScreenHeight - height) / 2, width, height};
    ok_ = {box_.x + (width - kButtonWidth) / 2, box_.y + height - kPadding - kButtonHeight, kButtonWidth,
           kButtonHeight};
    area_ = {box_.x, box_.y, width + kShadowOffset, height + kShadowOffset};
}

// Character by character, at the line breaks of the text and wherever the next character would pass
// the width: a message is mostly Japanese, which has no spaces to break at.
void MessageBoxPicture::wrap(const std::string& text, int width) {
    int regular = font(0);
    std::string line;
    for (size_t at = 0; at < text.size();) {
        size_t size = isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        std::string character = text.substr(at, size);
        at += size;
        if (character == "\n") {
            lines_.push_back(line);
            line.clear();
            continue;
        }
        if (!line.empty() && textWidth(regular, line + character) > width) {
            lines_.push_back(line);
            line.clear();
        }
        line += character;
    }
    if (!line.empty() || lines_.empty()) lines_.push_back(line);
}

void MessageBoxPicture::draw(Overlay& overlay) const {
    overlay.fill({box_.x + kShadowOffset, box_.y + box_.height, box_.width, kShadowOffset}, kShadow);
    overlay.fill({box_.x + box_.width, box_.y + kShadowOffset, kShadowOffset, box_.height - kShadowOffset},
                 kShadow);
    bevel(overlay, box_, kBright, kLight);
    overlay.fill({box_.x + 3, box_.y + 3, box_.width - 6, kTitleHeight - 4}, kTitleBar);
    overlay.drawText(font(kBold), caption_.data(), caption_.size(), box_.x + 8, box_.y + 4, kLight);
    int y = box_.y + kTitleHeight + kPadding;
    for (const std::string& line : lines_) {
        overlay.drawText(font(0), line.data(), line.size(), box_.x + kPadding, y, kDark);
        y += kLineStep;
    }
    drawButton(overlay);
}

// The default button: framed in black, its label centred.
void MessageBoxPicture::drawButton(Overlay& overlay) const {
    overlay.fill(ok_, kDark);
    bevel(overlay, {ok_.x + 1, ok_.y + 1, ok_.width - 2, ok_.height - 2}, kLight, kBright);
    const std::string label = "OK";
    int regular = font(0);
    overlay.drawText(regular, label.data(), label.size(), ok_.x + (ok_.width - textWidth(regular, label)) / 2,
                     ok_.y + (ok_.height - kTextHeight) / 2, kDark);
}

namespace {

// Light text on a dark, half-seen box, from its top left corner.
PixelRect drawLabel(Overlay& overlay, const std::string& sjisText, int x, int y) {
    int regular = font(0);
    PixelRect area = {x, y, textWidth(regular, sjisText) + 2 * kNoticePadding,
                      kTextHeight + 2 * kNoticePadding};
    overlay.fill(area, kNoticeBack);
    overlay.drawText(regular, sjisText.data(), sjisText.size(), area.x + kNoticePadding,
                     area.y + kNoticePadding, kLight);
    return area;
}

int labelWidth(const std::string& sjisText) {
    return textWidth(font(0), sjisText) + 2 * kNoticePadding;
}

}  // namespace

PixelRect drawNotice(Overlay& overlay, const char* utf8Text) {
    std::string text = utf8ToSjisLenient(utf8Text);
    return drawLabel(overlay, text, kScreenWidth - kNoticeMargin - labelWidth(text), kNoticeMargin);
}

PixelRect drawModeMark(Overlay& overlay, const char* utf8Text) {
    std::string text = utf8ToSjisLenient(utf8Text);
    int height = kTextHeight + 2 * kNoticePadding;
    return drawLabel(overlay, text, kScreenWidth - kNoticeMargin - labelWidth(text),
                     kScreenHeight - kNoticeMargin - height);
}
