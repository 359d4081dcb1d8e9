// The texts only the browser game shows, in both languages, beside the shared table of every other text.
#include "web_texts.h"

namespace {

struct WebTextRow {
    WebTextId id;  // only there to prove the rows are in id order
    const char* japanese;
    const char* english;
};

constexpr WebTextRow WebTextRows[WebTextIdEnd - TextIdCount] = {
    {WindowTitleText, "Glimmark Ver1.11", "Glimmark Ver1.11"},
    {AboutNameText, "Glimmark", "Glimmark"},
    {AboutBuildText, "Build : Emscripten", "Build : Emscripten"},
    {AboutInterfaceText, "InterFace : HTML5", "InterFace : HTML5"},
    {AboutDevelopersText, "Glimmark developers", "Glimmark developers"},
    {AboutAddressText, "https://glimmark.example/", "https://glimmark.example/"},
    {WebHelpAddress, "https://glimmark.example/help/", "https://glimmark.example/help/"},
    {SaveHistoryButton, "ファイルに保存...", "Save to file..."},
    {LoadHistoryButton, "ファイルから追加...", "Add from file..."},
};

constexpr bool RowsAreInIdOrder() {
    for (int32_t index = 0; index < WebTextIdEnd - TextIdCount; ++index) {
        if (WebTextRows[index].id != TextIdCount + index) {
            return false;
        }
    }
    return true;
}
static_assert(RowsAreInIdOrder(), "a row is missing or out of place: texts would show under the wrong ids");

}  // namespace

const char* WebText(int32_t id) {
    if (id >= 0 && id < TextIdCount) {
        return PlayerText(static_cast<TextId>(id));
    }
    if (id < TextIdCount || id >= WebTextIdEnd) {
        return "";
    }
    const WebTextRow& row = WebTextRows[id - TextIdCount];
    return PlayerLanguage() == EnglishLanguage ? row.english : row.japanese;
}
