#include "keys/key_map_painter.h"

#include "keys/key_map_layout_table.h"
#include "platform/ui_text.h"
#include "platform/utf16.h"

#include <string>

namespace talvex {

namespace {

constexpr std::size_t kShortPathLimit = 13;
// The tail shown of a long path that has no separator to cut at.
constexpr std::size_t kUncutTail = 11;

void drawCaption(Canvas& canvas, const KeyMapCaption& caption, Colour colour = kKeyMapLitText) {
    writeCaption(canvas, caption.text, caption.x, caption.y, kKeyMapCaptionHeight, colour,
                 captionAreaWidth(caption));
}

void drawImage(Canvas& canvas, const char* file, int x, int y) {
    canvas.drawImage(kKeyMapSkin, file, x, y);
}

void paintButton(Canvas& canvas, const KeyMapLogic& logic, KeyMapButton button) {
    const KeyMapButtonArea& b = keyMapButtonArea(button);
    const bool lit =
        button == KeyMapButton::DisableSwitch ? logic.disableSwitch() : logic.hover(button);
    drawImage(canvas, lit ? b.over : b.normal, b.rect.left, b.rect.top);
    for (const KeyMapButtonCaption& caption : kKeyMapButtonCaptions)
        if (caption.button == button)
            drawCaption(canvas, caption.caption);
}

void paintAdvancedPage(Canvas& canvas, const KeyMapLogic& logic) {
    drawImage(canvas, kAdvancedPanelImage, kPagePanel.left, kPagePanel.top);
    for (int r = 0; r < kAdvancedRows; ++r) {
        const Rect selector = selectorRect(r);
        drawImage(canvas, kSelectorImage, selector.left, selector.top);
        const Rect label = labelRect(r);
        writeCaption(canvas, kRowCaptions[static_cast<std::size_t>(r)], label.left, label.top,
                     kKeyMapCaptionHeight, kKeyMapLitText, label.width());
        drawImage(canvas, kPathBoxImage, kPathBoxImageX, pathBoxRect(r).top);
        const Rect browse = browseRect(r);
        drawImage(canvas, r == logic.browseHover() ? kBrowseOverImage : kBrowseImage, browse.left,
                  browse.top);
        writeCaption(canvas, kBrowseCaption, browse.left + kBrowseCaptionInset, browse.top + 1,
                     kBrowseCaptionHeight, kKeyMapLitText,
                     browse.width() - 2 * kBrowseCaptionInset + 2);
    }
    if (const std::optional<int> radio = logic.radioRow())
        for (int r = 0; r < kAdvancedRows; ++r)
            drawImage(canvas, r == *radio ? kSelectorOnImage : kSelectorOffImage,
                      selectorRect(r).left, selectorRect(r).top);
    if (const std::optional<int> row = logic.actionRow()) {
        writeCaption(canvas, utf16ToUtf8(shortenedPath(logic.actionPath())), kPathCaptionX,
                     kPathCaptionY + kRowPitch * *row, kKeyMapCaptionHeight, kKeyMapLitText,
                     kPathCaptionWidth);
        drawImage(canvas, kSelectorOnImage, selectorRect(*row).left, selectorRect(*row).top);
    }
}

} // namespace

std::u16string shortenedPath(std::u16string_view path) {
    if (path.size() <= kShortPathLimit)
        return std::u16string(path);
    // A separator in the last character (a folder's trailing one) is no place to cut.
    const std::size_t cut = path.find_last_of(u"\\/", path.size() - 2);
    if (cut != std::u16string_view::npos)
        return u".." + std::u16string(path.substr(cut));
    return u".." + std::u16string(path.substr(path.size() - kUncutTail));
}

void paintKeyMap(Canvas& canvas, const KeyMapLogic& logic) {
    drawImage(canvas, kKeyMapBackground, 0, 0);
    writeCaption(canvas, fillText(kKeyMapTitle.text, {utf16ToUtf8(logic.keyName())}),
                 kKeyMapTitle.x, kKeyMapTitle.y, kKeyMapCaptionHeight, kKeyMapLitText,
                 captionAreaWidth(kKeyMapTitle));
    for (KeyMapButton button : {KeyMapButton::Close, KeyMapButton::TabKeys, KeyMapButton::TabMacro,
                                KeyMapButton::TabFunction, KeyMapButton::TabAdvanced})
        paintButton(canvas, logic, button);
    const auto current = static_cast<std::size_t>(logic.page());
    drawImage(canvas, kTabMarkerImage, kKeyMapTabs[current].markerX, kTabMarkerY);
    for (std::size_t tab = 0; tab < kKeyMapTabs.size(); ++tab)
        drawCaption(canvas, kKeyMapTabs[tab].caption,
                    tab == current ? kKeyMapLitText : kKeyMapDimText);
    if (logic.page() == KeyMapPage::Keys) {
        for (const KeyMapCaption& caption : kKeyPageCaptions)
            drawCaption(canvas, caption, kKeyMapDimText);
    } else if (logic.page() == KeyMapPage::Advanced) {
        paintAdvancedPage(canvas, logic);
    }
    for (KeyMapButton button : {KeyMapButton::DisableSwitch, KeyMapButton::Restore,
                                KeyMapButton::Cancel, KeyMapButton::Save})
        paintButton(canvas, logic, button);
}

} // namespace talvex
