// Every fault of a script, said alike by the player that meets it and by zebora --check, which reads
// the script without playing it: one table, each row run through both.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mono_sound.h"
#include "test_support.h"

namespace {

struct Fault {
    std::string script;
    std::string message;  // empty: neither says anything
};

// One game folder for every row: the demo pictures and a few files that cannot be played.
class ScriptFaults : public ::testing::Test {
protected:
    void SetUp() override {
        root.writeGame("");
        root.copyDemoPictures();
        writeFile(root.file("game/text.mid"), "MThd is not enough");
        std::string pcmFloat = MonoSound{22050, 16, {0.1, 0.2, 0.3}}.waveBytes();
        pcmFloat[20] = 3;  // the format tag
        writeFile(root.file("game/float.wav"), pcmFloat);
        writeFile(root.file("game/short.wav"), MonoSound{22050, 8, {0.1, 0.2}}.waveBytes());
        // Half an hour at 1,000 Hz: small as a file, more than a channel may hold once converted.
        writeFile(root.file("game/long.wav"), MonoSound{1000, 8, std::vector<double>(1799000)}.waveBytes());
    }

    // The player's last line on stderr (a wave's English box may come before it), and what --check
    // prints of the same script under a #title line.
    void expectSaidAlike(const Fault& fault) {
        root.writeGame(fault.script);
        std::string errors = runHeadless(root, "").errors;
        std::string last = errors.substr(errors.rfind('\n', errors.size() - 2) + 1);
        if (errors.empty()) last.clear();
        EXPECT_EQ(last, fault.message.empty() ? "" : fatalLine(fault.message)) << fault.script;
        writeFile(root.file("game/story.zeb"),
                  toSjis("#title 試し\n") + readFile(root.file("game/story.zeb")));
        std::string checked = commandOutput(std::string(ZEBORA_BINARY) + " --check '" + root.file("game") +
                                            "' 2>&1; echo status $?");
        std::string file = root.file("game") + "/story.zeb:2: ";
        EXPECT_EQ(checked, fault.message.empty() ? "status 0\n" : file + fault.message + "\nstatus 1\n")
            << fault.script;
    }

    TempFolder root;
};

std::string places(int count) {
    std::string named;
    for (int i = 0; i < count; ++i)
        named += "@name(p" + std::to_string(i) + ");";
    return named;
}

}  // namespace

TEST_F(ScriptFaults, ThePlayerAndTheCheckerSayEachAlike) {
    const std::string cutComplaint = "]指定された場所名が見つかりません";
    const int room = 255 - static_cast<int>(toSjis("[" + cutComplaint).size());
    const Fault faults[] = {
        // The text of commands and escapes.
        {"@bogus(1);", "指定された関数が見つかりません[bogus]"},
        {"@goto(a)x", "[@goto(a]関数の後にはセミコロン';'を付けましょう"},
        {"text\\xy", "\\x には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"},
        {"text\\", "\\  には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"},
        {"本文\\あ", "\\あ には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"},
        {"@goto(a", "[@goto(a]関数の閉じ括弧')'が見つかりません"},
        {"@goto", "[@goto]コマンドの書式が違います"},
        {"本文@", "[@]コマンドの書式が違います"},
        {"@" + repeat("x", 120) + "(1);", "[@" + repeat("x", 50) + "]コマンドの書式が違います"},
        {"@goto(" + repeat("a", 1000) + ");",
         "[@goto(" + repeat("a", 44) + "]関数の引数が長すぎます（999文字まで）"},
        // Places: the scan takes every byte from 0x80 up as the first of two, so a half-width katakana
        // hides the '@' after it; names are case-sensitive; a long name is cut, never the complaint.
        {"ｱ@name(a);@goto(a);", "[a]指定された場所名が見つかりません"},
        {"@name(Place);@goto(place);", "[place]指定された場所名が見つかりません"},
        {"@goto(" + repeat("q", 250) + ");", "[" + repeat("q", room) + cutComplaint},
        {"@goto(" + repeat("あ", 130) + ");", "[" + repeat("あ", room / 2) + cutComplaint},
        {places(999) + "@name(one_more);", "@nameの数が多すぎですね。"},
        {"@goto(" + repeat("a", 992) + ");@name(" + repeat("a", 992) + ");", ""},
        {"@goto(end);@name(end);", ""},
        // Each command's usage, ranges and files.
        {"@goto();", "@goto(char *name); の書式が間違っています"},
        {"@wait(x);", "wait(int ms); の書式が間違っています"},
        {"@start();", "start(float ver); の書式が間違っています"},
        {"@bgload(a.bmp,1);", "bgload(char *filename,int efect,int wait); の書式が間違っています"},
        {"@bgload(missing.bmp,0,0);", "missing.bmp ファイルが見つかりません"},
        {"@bgload(clear,15,0);", "[@bgload][@objload] 現在対応している演出番号は 0～14 です。"},
        {"@plload();", "plload(char *filename); の書式が間違っています"},
        {"@plload(missing.bmp);", "@plloadで指定したファイルが見つかりません"},
        {"@objload(a.bmp,1,1);",
         "objload(char *filename,int place,int efect,int wait); の書式が間違ってますねぇ"},
        {"@objload(clear,4,0,0);", "[@objload] 現在対応している表示位置は 0～3 です。"},
        {"@objload(missing.bmp,0,0,0);", "ファイルが開けません（objload関連)"},
        {"@objload(kaede.bmp,0,15,0);", "[@bgload][@objload] 現在対応している演出番号は 0～14 です。"},
        {"@objloadxy(a.bmp,0,1,1,1,1,1);",
         "@objloadxy(char *filename,int place,int x,int y,int width,int height,int efect,int wait); "
         "の書式が間違ってますねぇ"},
        {"@objloadxy(a.bmp,0,100,0,221,480,0,0);", "[@objloadxy] キャラクタの表示できる範囲を超えています"},
        {"@objloadxy(a.bmp,0,0,1,10,480,0,0);", "[@objloadxy] キャラクタの表示できる範囲を超えています"},
        {"@objloadxy(a.bmp,5,0,0,10,10,0,0);", "[@objload] 現在対応している表示位置は 0～3 です。"},
        {"@objloadxy(missing.bmp,0,0,0,10,10,0,0);", "missing.bmp ファイルが見つかりません"},
        {"@objloadxy(missing.bmp,3,0,0,10,10,0,0);", "ファイルが開けません（objload関連)"},
        {"@objloadf(a.bmp,1,1,1,1,1);",
         "@objloadf(char *filename,int x,int y,int width,int height,int en,int wa); の書式が違う"},
        {"@objloadf(missing.bmp,0,0,10,10,-1,0);", "ファイルが開けません（objload関連)"},
        {"@plloadf(a.bmp,1,1);", "@plloadf(char *filename,int value,int ns,int bs); の書式が間違っています"},
        {"@plloadf(missing.bmp,1,3,3);", "ファイルが開けません（plloadf)"},
        {"@plloadf(room.bmp,10,250,0);", "@plloadf で指定できるパレットの上限を超えています"},
        {"@text(1,2,3);", "@text(int fontnumber,int width,int height,int haba); の書式が間違っています"},
        {"@text(10,0,0,0);", "フォント番号は９までです。"},
        {"@text(-1,0,0,0);", "フォント番号は９までです。"},
        {"@textcolor(3,1,1);", "@textcolor(int palnumber,int r,int g,int b); の書式が違うー"},
        {"@textcolor(10,256,0,0);", "[@textcolor]指定できるＲＧＢ値は０～２５５です"},
        {"@textcolor(2,255,0,0);", "[@textcolor]そのパレットは使用できません"},
        {"@textcolor(256,0,0,0);", "[@textcolor]そのパレットは使用できません"},
        {"@textend();", "@textend(int pal);の書式が違うー"},
        {"@settrans(1,2);", "@settrans(int r,int g,int b); の書式が違います"},
        {"@select(11,a,b);", "@select();で分岐できる最大数は10です"},
        {"@select(-1);", "@select();で分岐できる最大数は10です"},
        {"@select(x,a,b);", "@select(int value,char *str1,char *place1,･････); の書式が間違っています"},
        {"@select(2,a,b,c);", "@select(int value,char *str1,char *place1,･････); の書式が間違っています"},
        {"@title(1,2);",
         "@title(int value,int x,int y,char *str1,char *place1,･････,char *place_); の書式がアカン"},
        {"@title(11,0,0);", "[@title] で与えられるメニュー数の最大値は10です"},
        {"@title(2,0,0,a,b,c);",
         "@title(int value,int x,int y,char *str1,char *place1,･････,char *place_); の書式がアカン"},
        {"@damage();", "@damage(int value); の書式が間違っています"},
        {"@damage(-1);", "@damage(int dam);には正の数を記入してください。"},
        {"@out(1);", "@out(int type,int wait); の書式が間違っています"},
        {"@out(-1,0);", "[@bgload][@objload] 現在対応している演出番号は 0～14 です。"},
        {"@flag(3,+);", "@flag(int no,char enzan,int value); の書式が間違っています。"},
        {"@flag(256,=,7);", "[@flag] フラグで指定できる番号が最大値を超えています"},
        {"@flag(-1,=,7);", "[@flag] フラグで指定できる番号が最大値を超えています"},
        {"@flag(3,&,7);", "[@flag] その演算子は現在使われておりません（ぉ"},
        {"@flagto(3,+);", "@flagto(int no1,char enzan,int no2); の書式が間違っています。"},
        {"@flagto(3,+,256);", "[@flagto] フラグで指定できる番号が最大値を超えています"},
        {"@flagto(3,^,4);", "[@flagto] その演算子は現在使われておりません（ぉ"},
        {"@flagrnd(3,1);", "@flagrnd(int no,int min,int max); の書式が間違っています"},
        {"@flagrnd(300,1,6);", "[@flagrnd]フラグ番号が範囲を超えています"},
        {"@flagselect(3,=,5,a);",
         "@flagselect(int no1,char *enzan,int value,char *place1,char *place2); "
         "の書式が間違ってるらしい（ぉ"},
        {"@flagselect(256,=,5,a,b);", "[@flagselect]フラグ番号が範囲を超えています"},
        {"@flagtoselect(3,=,5,a);",
         "@flagtoselect(int no1,char *enzan,int no2,char *place1,char *place2); "
         "の書式が間違ってるらしい（ぉ"},
        {"@flagtoselect(3,=,256,a,b);", "[@flagtoselect]フラグ番号が範囲を超えています"},
        {"@midi(a.mid);", "@midi(char *filename,char replay); の書式が間違っています"},
        {"@midi(missing.mid,1);", "ＭＩＤＩが再生出来ません。"},
        {"@midi(text.mid,1);", "ＭＩＤＩが再生出来ません。"},
        {"@sound(a.wav,1,1);", "@sound(char *filename,int buf,int loop,int pan); の書式が間違ってるらしい"},
        {"@sound(a.wav,11,0,0);", "@soundで指定できるチャンネルは０～１０です"},
        {"@sound(a.wav,-1,0,0);", "@soundで指定できるチャンネルは０～１０です"},
        {"@sound(missing.wav,0,0,0);", "[missing.wav]が読み込めません"},
        {"@sound(float.wav,0,0,0);", "[float.wav]が読み込めません"},
        {"@sound(short.wav,0,0,0);", "[short.wav]が読み込めません"},
        {"@sound(long.wav,0,0,0);", "[long.wav]が読み込めません"},
        // What no check refuses: no transition for the character commands, releasing an entry outside
        // the table, no shake.
        {"@objload(clear,0,-1,0);@objloadf(clear,600,400,100,100,-1,0);@textend(300);@textend(-5);@flash();"
         "@damage(0);",
         ""},
    };
    for (const Fault& fault : faults)
        expectSaidAlike(fault);
}
