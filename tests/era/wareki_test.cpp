// The conversion as the era label shows it: whole results, label forms, periods, odd texts.
#include "era/wareki.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using era::SeirekiWarekiChange;

const std::string kYayoi = "  【弥生時代】 〜285";
const std::string kKofun = "  【古墳時代】 285-574";
const std::string kAsuka = "  【飛鳥時代】 574-710";
const std::string kNara = "  【奈良時代】 710-794";
const std::string kHeian = "  【平安時代】 794-1192";
const std::string kKamakura = "  【鎌倉時代】 1192-1338";
const std::string kMuromachi = "  【室町時代】 1338-1575";
const std::string kAzuchiMomoyama = "  【安土桃山時代】 1575-1603";
const std::string kEdo = "  【江戸時代】 1603-1868";
const std::string kNone;

struct Case {
  std::string year;
  std::string era;
  std::string period;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << '"' << c.year << '"';
}

std::string Describe(const testing::TestParamInfo<Case>& info) {
  return info.param.year.empty() ? "empty" : "y" + info.param.year;
}

class Conversion : public testing::TestWithParam<Case> {};

TEST_P(Conversion, GivesEraThenPeriod) {
  const Case& c = GetParam();
  EXPECT_EQ(SeirekiWarekiChange(c.year), c.era + c.period);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Conversion,
                         testing::Values(Case{"0000", "垂仁天皇(すいにんてんのう) 29 年", kYayoi},
                                         Case{"0070", "垂仁天皇(すいにんてんのう) 99 年", kYayoi},
                                         Case{"0071", "景行天皇(けいこうてんのう)元年", kYayoi},
                                         Case{"0072", "景行天皇(けいこうてんのう) 2 年", kYayoi},
                                         Case{"0270", "応神天皇(おうじんてんのう)元年", kYayoi},
                                         Case{"0312", "応神天皇(おうじんてんのう) 43 年", kKofun},
                                         Case{"0794", "延暦(えんりゃく) 13 年", kHeian},
                                         Case{"1603", "慶長（けいちょう） 8 年", kEdo},
                                         Case{"1980", "昭和（しょうわ） 55 年", kNone},
                                         Case{"1989", "平成（へいせい）\u3000元年", kNone},
                                         Case{"1990", "平成（へいせい） 2 年", kNone},
                                         Case{"2018", "平成（へいせい） 30 年", kNone},
                                         Case{"2019", "令和（れいわ）\u3000元年", kNone},
                                         Case{"2020", "令和（れいわ） 2 年", kNone},
                                         Case{"2026", "令和（れいわ） 8 年", kNone},
                                         Case{"9999", "令和（れいわ） 7981 年", kNone}),
                         Describe);

// The corrected names and the eras the table needs for the calendar to be right.
INSTANTIATE_TEST_SUITE_P(MendedEras, Conversion,
                         testing::Values(Case{"0970", "天禄(てんろく)\u3000元年", kHeian},
                                         Case{"0972", "天禄(てんろく) 3 年", kHeian},
                                         Case{"0990", "正暦(しょうりゃく)\u3000元年", kHeian},
                                         Case{"0994", "正暦(しょうりゃく) 5 年", kHeian},
                                         Case{"1429", "永享（えいきょう）\u3000元年", kMuromachi},
                                         Case{"1440", "永享（えいきょう） 12 年", kMuromachi},
                                         Case{"1487", "長享（ちょうきょう）\u3000元年", kMuromachi},
                                         Case{"1183", "寿永（じゅえい） 2 年", kHeian},
                                         Case{"1184", "元暦（げんりゃく）\u3000元年", kHeian},
                                         Case{"1185", "文治（ぶんじ）\u3000元年", kHeian},
                                         Case{"1735", "享保（きょうほう） 20 年", kEdo},
                                         Case{"1736", "元文（げんぶん）\u3000元年", kEdo},
                                         Case{"1737", "元文（げんぶん） 2 年", kEdo},
                                         Case{"1740", "元文（げんぶん） 5 年", kEdo},
                                         Case{"1741", "寛保（かんぽう）\u3000元年", kEdo},
                                         Case{"1863", "文久（ぶんきゅう） 3 年", kEdo},
                                         Case{"1864", "元治（げんじ）\u3000元年", kEdo},
                                         Case{"1865", "慶応（けいおう）\u3000元年", kEdo},
                                         Case{"1867", "慶応（けいおう） 3 年", kEdo},
                                         Case{"1868", "明治（めいじ）\u3000元年", kEdo},
                                         Case{"1869", "明治（めいじ） 2 年", kNone},
                                         Case{"1911", "明治（めいじ） 44 年", kNone},
                                         Case{"1912", "大正（たいしょう）\u3000元年", kNone}),
                         Describe);

// Where the label forms turn: parenthesis width, the space before 元年 and before the number.
INSTANTIATE_TEST_SUITE_P(
    LabelForms, Conversion,
    testing::Values(
        Case{"0201", "神功皇后摂政(じんぐうこうごうせっしょう)元年", kYayoi},
        Case{"0479", "雄略天皇(ゆうりゃくてんのう) 23 年", kKofun},
        Case{"0480", "清寧天皇(せいねいてんのう)元年", kKofun},
        Case{"0481",
             "清寧天皇(せいねいてんのう)\u3000"
             "2 年",
             kKofun},
        Case{"0485", "顕宗天皇(けんぞうてんのう)\u3000元年", kKofun},
        Case{"0486",
             "顕宗天皇(けんぞうてんのう)\u3000"
             "2 年",
             kKofun},
        Case{"0488", "仁賢天皇(にんけんてんのう)\u3000元年", kKofun},
        Case{"0489", "仁賢天皇(にんけんてんのう)2 年", kKofun},
        Case{"0535", "安閑天皇(あんかんてんのう)2 年", kKofun},
        Case{"0594",
             "推古天皇(すいこてんのう)\u3000"
             "2 年",
             kAsuka},
        Case{"0644", "皇極天皇(こうぎょくてんのう)3 年", kAsuka},
        Case{"0645", "大化(たいか)\u3000元年", kAsuka}, Case{"0646", "大化(たいか) 2 年", kAsuka},
        Case{"0685", "白雉(はくち) 36 年", kAsuka},
        Case{"0686", "朱鳥(しゅちょう)\u3000元年", kAsuka},
        Case{"0702", "大宝(たいほう) 2 年", kAsuka}, Case{"0718", "養老(ようろう) 2 年", kNara},
        Case{"0781", "天応(てんおう)\u3000元年", kNara},
        Case{"0782", "延暦(えんりゃく)\u3000元年", kNara},
        Case{"1151", "仁平(じんぺい)\u3000元年", kHeian},
        Case{"1153", "仁平(じんぺい) 3 年", kHeian},
        Case{"1154", "久寿（きゅうじゅ）\u3000元年", kHeian},
        Case{"1155", "久寿（きゅうじゅ） 2 年", kHeian},
        Case{"1156", "保元(ほげん)\u3000元年", kHeian}, Case{"1157", "保元（ほげん） 2 年", kHeian},
        Case{"1176", "安元（あんげん） 2 年", kHeian}, Case{"1177", "治承(じしょう) 元年", kHeian},
        Case{"1178", "治承(じしょう) 2 年", kHeian},
        Case{"1181", "養和（ようわ）\u3000元年", kHeian},
        Case{"1201", "建仁(けんじん)\u3000元年", kKamakura},
        Case{"1202", "建仁(けんじん) 2 年", kKamakura},
        Case{"1235", "嘉禎（かてい）元年", kKamakura},
        Case{"1236", "嘉禎（かてい） 2 年", kKamakura},
        Case{"1466", "文正（ぶんしょう）元年", kMuromachi},
        Case{"1467", "応仁（おうじん／おうにん）\u3000元年", kMuromachi},
        Case{"1468", "応仁（おうじん／おうにん） 2 年", kMuromachi},
        Case{"1615", "元和（げんな／げんわ）\u3000元年", kEdo},
        Case{"1623", "元和（げんな／げんわ） 9 年", kEdo}),
    Describe);

// Texts that are not four digits fall among the bounds by text order, not by value.
INSTANTIATE_TEST_SUITE_P(
    OddTexts, Conversion,
    testing::Values(Case{"", "", kNone}, Case{"0", "", kNone}, Case{"00", "", kNone},
                    Case{"000", "", kNone}, Case{"99990", "", kNone}, Case{"abc", "", kNone},
                    // "1" sorts after every bound that begins with 0, before "1000".
                    Case{"1", "", kHeian},
                    // "2" sorts between "1990" and "2018".
                    Case{"2", "平成（へいせい） -1986 年", kNone},
                    Case{"5", "令和（れいわ） -2013 年", kNone},
                    Case{"270", "令和（れいわ） -1748 年", kNone},
                    Case{"10000", "長保(ちょうほう) 9002 年", kHeian}),
    Describe);

// The last year of one period and the first of the next.
INSTANTIATE_TEST_SUITE_P(PeriodBoundaries, Conversion,
                         testing::Values(Case{"0284", "応神天皇(おうじんてんのう) 15 年", kYayoi},
                                         Case{"0285", "応神天皇(おうじんてんのう) 16 年", kKofun},
                                         Case{"0573",
                                              "敏達天皇(びだつてんのう)\u3000"
                                              "2 年",
                                              kKofun},
                                         Case{"0574",
                                              "敏達天皇(びだつてんのう)\u3000"
                                              "3 年",
                                              kAsuka},
                                         Case{"0709", "和銅(わどう) 2 年", kAsuka},
                                         Case{"0710", "和銅(わどう) 3 年", kNara},
                                         Case{"0793", "延暦(えんりゃく) 12 年", kNara},
                                         Case{"1191", "建久（けんきゅう） 2 年", kHeian},
                                         Case{"1192", "建久（けんきゅう） 3 年", kKamakura},
                                         Case{"1337", "建武（けんむ） 4 年", kKamakura},
                                         Case{"1338", "暦応（りゃくおう）\u3000元年", kMuromachi},
                                         Case{"1574", "天正（てんしょう） 2 年", kMuromachi},
                                         Case{"1575", "天正（てんしょう） 3 年", kAzuchiMomoyama},
                                         Case{"1602", "慶長（けいちょう） 7 年", kAzuchiMomoyama}),
                         Describe);

}  // namespace
