// Every format and range check of the picture, palette, text, menu and effect commands, end to end.
#include <gtest/gtest.h>

#include "test_support.h"

TEST(CommandErrors, EachCommandReportsItsOwnMessage) {
    expectFatalErrors({
        {"@bgload(a.bmp,1);", "bgload(char *filename,int efect,int wait); の書式が間違っています"},
        {"@bgload(missing.bmp,0,0);", "missing.bmp ファイルが見つかりません"},
        {"@bgload(clear,15,0);", "[@bgload][@objload] 現在対応している演出番号は 0～14 です。"},
        {"@plload();", "plload(char *filename); の書式が間違っています"},
        {"@plload(missing.bmp);", "@plloadで指定したファイルが見つかりません"},
        {"@objload(a.bmp,1,1);",
         "objload(char *filename,int place,int efect,int wait); の書式が間違ってますねぇ"},
        {"@objload(clear,4,0,0);", "[@objload] 現在対応している表示位置は 0～3 です。"},
        {"@objload(missing.bmp,0,0,0);", "ファイルが開けません（objload関連)"},
        {"@objloadxy(a.bmp,0,1,1,1,1,1);",
         "@objloadxy(char *filename,int place,int x,int y,int width,int height,int efect,int wait); "
         "の書式が間違ってますねぇ"},
        {"@objloadxy(a.bmp,0,100,0,221,480,0,0);", "[@objloadxy] キャラクタの表示できる範囲を超えています"},
        {"@objloadxy(a.bmp,0,0,1,10,480,0,0);", "[@objloadxy] キャラクタの表示できる範囲を超えています"},
        {"@objloadxy(a.bmp,5,0,0,10,10,0,0);", "[@objload] 現在対応している表示位置は 0～3 です。"},
        {"@objloadf(a.bmp,1,1,1,1,1);",
         "@objloadf(char *filename,int x,int y,int width,int height,int en,int wa); の書式が違う"},
        {"@plloadf(a.bmp,1,1);", "@plloadf(char *filename,int value,int ns,int bs); の書式が間違っています"},
        {"@plloadf(missing.bmp,1,3,3);", "ファイルが開けません（plloadf)"},
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
    });
}

TEST(CommandErrors, QuietCasesNeedNoMessage) {
    // -1 means no transition for the character commands; textend outside the table releases nothing.
    EXPECT_EQ(runScript("@objload(clear,0,-1,0);@objloadf(clear,600,400,100,100,-1,0);@textend(300);"
                        "@textend(-5);@flash();@damage(0);@done();")
                  .errors,
              unknownCommand("done"));
}

// Numbers at the ends of the 32-bit range that no check refuses: what they draw lies off the screen or
// at the largest font, and no sum of them overflows (the sanitizer build stops at any that does).
TEST(CommandErrors, NumbersAtTheEndsOfTheRangeOverflowNothing) {
    const struct {
        const char* script;
        bool reachesTheEnd;
    } cases[] = {
        {"@objloadxy(petal.bmp,0,2147483647,0,-2147483647,480,0,0);", true},
        {"@text(0,2147483647,0,0);\\d", true},
        {"@text(0,1073741824,0,0);あ", true},  // one character fills the page: the click goes on
        {"@text(0,1073741824,0,0);@select(1,あ,a);@name(a);", true},  // the click picks the choice
        {"@text(0,-2147483648,0,0);あ", true},
        {"@text(0,0,-2147483648,0);あ", true},
        {"@title(1,2147483647,2147483647,あ,a);@name(a);", false},  // no click can reach it
    };
    for (const auto& c : cases) {
        TempFolder root;
        root.writeGame(std::string(c.script) + "@after();");
        root.copyDemoPictures();
        RunResult run = runHeadless(root, "wait 6000\nclick 100 100\nwait 1000\n");
        EXPECT_EQ(run.errors, c.reachesTheEnd ? unknownCommand("after") : "") << c.script;
    }
}
