// The form's texts are kept as code page 932 bytes; a slip in one escape
// would show the user a wrong character.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "ui/form_texts.h"

namespace karvex {
namespace {

std::string Utf8FromCp932(const std::string& bytes) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no CP932 converter>";
  std::string in = bytes;
  std::string out(bytes.size() * 4 + 4, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (done == static_cast<std::size_t>(-1)) return "<not code page 932>";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(FormTexts, AreTheJapaneseTextsInCodePage932) {
  namespace t = form_texts;
  struct Case {
    const char* cp932;
    const char* utf8;
  };
  const Case cases[] = {
      {t::kDialogCaption, "tavrino.spi 設定"},
      {t::kDialogFontFace, "ＭＳ Ｐゴシック"},
      {t::kTabSheet1Caption, "表示"},
      {t::kTabSheet2Caption, "線色"},
      {t::kGroupBox1Caption, "表示サイズ"},
      {t::kLabel3Caption, "横"},
      {t::kLabel13Caption, "X 縦"},
      {t::kCheckBox5Caption, "用紙比率。"},
      {t::kDefaultButtonCaption, "ﾃﾞﾌｫﾙﾄ"},
      {t::kGroupBox3Caption, "オプション"},
      {t::kCheckBox1Caption, "線種を考慮する。"},
      {t::kCheckBox2Caption, "線色を考慮する。"},
      {t::kCheckBox3Caption, "全ての図形を描く。"},
      {t::kGroupBox4Caption, "位置合わせ"},
      {t::kRadioButton1Caption, "左下を(0,0)にする。"},
      {t::kRadioButton2Caption, "中心を(0,0)にする。"},
      {t::kRadioButton3Caption, "フィットさせる。"},
      {t::kGroupBox2Caption, "色"},
      {t::kLabel5Caption, "線色１"},
      {t::kLabel6Caption, "線色２"},
      {t::kLabel7Caption, "線色３"},
      {t::kLabel8Caption, "線色４"},
      {t::kLabel9Caption, "線色５"},
      {t::kLabel10Caption, "線色６"},
      {t::kChangeButtonCaption, "変更"},
      {t::kLabel11Caption, "背景"},
      {t::kLabel12Caption, "文字色"},
      {t::kOkCaption, "OK"},
      {t::kCancelCaption, "ｷｬﾝｾﾙ"},
      {t::kInvalidNumberMessage, "無効な数値です。"},
      {t::kNotANumberMessage, "'%s' は数値ではありません"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8FromCp932(c.cp932), c.utf8);
  // Half-width katakana are single bytes: ﾃﾞﾌｫﾙﾄ is six of them.
  EXPECT_EQ(std::string(t::kDefaultButtonCaption).size(), 6u);
}

}  // namespace
}  // namespace karvex
