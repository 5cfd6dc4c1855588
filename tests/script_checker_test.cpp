// zebora --check: every problem of a script reported at the line of the file where it stands.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

std::string check(const std::string& path) {
    return commandOutput(std::string(ZEBORA_BINARY) + " --check '" + path + "' 2>&1; echo status $?");
}

}  // namespace

TEST(ScriptChecker, FindsNothingWrongInTheDemoGames) {
    EXPECT_EQ(check(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/"), "status 0\n");
    EXPECT_EQ(check(std::string(ZEBORA_SOURCE_DIR) + "/games/omikuji/story.zeb"), "status 0\n");
}

TEST(ScriptChecker, ReportsEveryProblemAtItsLineWithTheEnginesMessage) {
    TempFolder root;
    root.writeGameFolder("game", "#subtitle " + repeat("試し", 150) +
                                     "\n"
                                     "@start(0.21);\n"
                                     "// the pictures\n"
                                     "\n"
                                     "@bgload(NoThere.bmp,0,0);\n"
                                     "@bgload(ROOM.BMP,15,0);\n"
                                     "@objload(kaede.bmp,4,0,0);\n"
                                     "@objload(kaede.bmp,0,-1,0);\n"
                                     "@goto(nowhere);\n"
                                     "@jump(start);\n"
                                     "@flag(300,+,1);\n"
                                     "@flag(1,^,1);\n"
                                     "@wait(abc);\n"
                                     "@name(here);\n"
                                     "  @name(here);  // again\n"
                                     "@select(2,はい,here);\n"
                                     "@midi(none.mid,1);\n"
                                     "@sound(none.wav,11,0,0);\n"
                                     "@sound(none.wav,0,0,0);\n"
                                     "@plload(none.bmp);\n"
                                     "こんにちは\\x\\c\n"
                                     "@textcolor(3,256,0,0)\n"
                                     "@damage(-1);\n"
                                     "@flagselect(1,=,0,here,gone);\n"
                                     "@title(1,0,0,はじまり,end);@goto(loadstart);\n"
                                     "@text(10,0,0,0);\n"
                                     "@out(0,0);\n"
                                     "@objloadxy(kaede.bmp,0,100,0,300,480,0,0);\n"
                                     "@objloadf(gone.bmp,0,0,10,10,-1,0);@objloadf(show,0,0,10,10,-1,0);\n"
                                     "@plloadf(room.bmp,10,250,0);@plloadf(room.bmp,3,0,254);\n"
                                     "@textend();\n");
    writeFile(root.file("game/room.bmp"),
              readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/room.bmp"));
    writeFile(root.file("game/kaede.bmp"),
              readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/kaede.bmp"));
    std::string file = root.file("game") + "/story.zeb:";
    // A file name in any case finds its file; an unknown escape shows two bytes, as the engine does.
    EXPECT_EQ(check(root.file("game")),
              file + "1: #subtitle の行は長すぎて、255バイトまでしか出ません\n" + file +
                  "1: #title の行がないので、選択画面にゲームの名前が出ません\n" + file +
                  "5: NoThere.bmp ファイルが見つかりません\n" + file +
                  "6: [@bgload][@objload] 現在対応している演出番号は 0～14 です。\n" + file +
                  "7: [@objload] 現在対応している表示位置は 0～3 です。\n" + file +
                  "9: [nowhere]指定された場所名が見つかりません\n" + file +
                  "10: 指定された関数が見つかりません[jump]\n" + file +
                  "11: [@flag] フラグで指定できる番号が最大値を超えています\n" + file +
                  "12: [@flag] その演算子は現在使われておりません（ぉ\n" + file +
                  "13: wait(int ms); の書式が間違っています\n" + file +
                  "15: [here]この場所名は前にも付けられています（前のものへ飛びます）\n" + file +
                  "16: @select(int value,char *str1,char *place1,･････); の書式が間違っています\n" + file +
                  "17: ＭＩＤＩが再生出来ません。\n" + file +
                  "18: @soundで指定できるチャンネルは０～１０です\n" + file +
                  "19: [none.wav]が読み込めません\n" + file +
                  "20: @plloadで指定したファイルが見つかりません\n" + file +
                  "21: \\x\\ には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ\n" + file +
                  "22: [@textcolor(3,256,0,0]関数の後にはセミコロン';'を付けましょう\n" + file +
                  "22: [@textcolor]指定できるＲＧＢ値は０～２５５です\n" + file +
                  "23: @damage(int dam);には正の数を記入してください。\n" + file +
                  "24: [gone]指定された場所名が見つかりません\n" + file + "26: フォント番号は９までです。\n" +
                  file + "28: [@objloadxy] キャラクタの表示できる範囲を超えています\n" + file +
                  "29: gone.bmp ファイルが見つかりません\n" + file +
                  "30: @plloadf で指定できるパレットの上限を超えています\n" + file +
                  "31: @textend(int pal);の書式が違うー\n" + "status 1\n");
}
