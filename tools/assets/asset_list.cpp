#include <iconv.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "assets.h"
#include "demo_music.h"
#include "demo_pictures.h"
#include "demo_sounds.h"
#include "logo_pictures.h"

namespace {

std::string shiftJisOf(const std::string& utf8) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* to = &out[0];
    size_t outLeft = out.size();
    size_t result = iconv(convert, &in, &inLeft, &to, &outLeft);
    iconv_close(convert);
    if (result == static_cast<size_t>(-1))
        throw std::runtime_error("a story holds text that Shift-JIS cannot write");
    out.resize(out.size() - outLeft);
    return out;
}

std::string story(const std::string& name) {
    std::ifstream in(std::string(ZEBORA_STORIES_DIR) + "/" + name + ".zeb", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return shiftJisOf(text.str());
}

void addGame(std::vector<Asset>& assets, const std::string& folder, const std::vector<Asset>& files) {
    assets.push_back({folder + "/story.zeb", story(folder)});
    for (const Asset& file : files)
        assets.push_back({folder + "/" + file.path, file.bytes});
}

}  // namespace

std::vector<Asset> makeAssets() {
    std::vector<Asset> assets = {{"system.bmp", makeSystemGraphics().bmpBytes()},
                                 {"qmlogo.bmp", makeMakerLogo().bmpBytes()},
                                 {"zeb.bmp", makeTitlePicture().bmpBytes()}};
    const CharacterLook sakura = {{150, 80, 50}, {40, 60, 150}, {220, 60, 70}, true};
    const CharacterLook kaede = {{45, 25, 25}, {90, 100, 120}, {230, 90, 90}, false};
    std::string hill = makeHillBackground().bmpBytes(), sunset = makeSunsetBackground().bmpBytes();
    std::string room = makeRoomBackground().bmpBytes();
    addGame(assets, "hanami",
            {{"hill.bmp", hill},
             {"sunset.bmp", sunset},
             {"room.bmp", room},
             {"sakura.bmp", makeCharacter(sakura).bmpBytes()},
             {"kaede.bmp", makeCharacter(kaede).bmpBytes()},
             {"petal.bmp", makeBlossom().bmpBytes()},
             {"night.bmp", makeNightPalette().bmpBytes()},
             {"wind.wav", makeWindGust().waveBytes()},
             {"theme.mid", makeHanamiTheme().fileBytes()},
             {"ending.mid", makeHanamiEnding().fileBytes()}});
    addGame(assets, "omikuji",
            {{"shrine.bmp", makeShrineBackground().bmpBytes()},
             {"room.bmp", room},
             {"kaede.bmp", makeCharacter(kaede).bmpBytes()},
             {"evening.wav", makeEveningAmbience().waveBytes()},
             {"shake.wav", makeBoxRattle().waveBytes()}});
    return assets;
}
