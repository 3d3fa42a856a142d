#pragma once
// The settings form's own texts, in code page 932 (Shift-JIS) as the form
// shows them. Each byte string is followed by its text; a unit test decodes
// every one of them and compares.
namespace karvex::form_texts {

inline constexpr char kDialogCaption[] = "tavrino.spi \x90\xDD\x92\xE8";  // tavrino.spi 設定
inline constexpr char kDialogFontFace[] = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ Ｐゴシック

inline constexpr char kTabSheet1Caption[] = "\x95\x5C\x8E\xA6";  // 表示
inline constexpr char kTabSheet2Caption[] = "\x90\xFC\x90\x46";  // 線色
inline constexpr char kGroupBox1Caption[] = "\x95\x5C\x8E\xA6\x83\x54\x83\x43\x83\x59";  // 表示サイズ
inline constexpr char kLabel3Caption[] = "\x89\xA1";  // 横
inline constexpr char kLabel13Caption[] = "X \x8F\x63";  // X 縦
inline constexpr char kCheckBox5Caption[] = "\x97\x70\x8E\x86\x94\xE4\x97\xA6\x81\x42";  // 用紙比率。
inline constexpr char kDefaultButtonCaption[] = "\xC3\xDE\xCC\xAB\xD9\xC4";  // ﾃﾞﾌｫﾙﾄ (half-width)
inline constexpr char kGroupBox3Caption[] = "\x83\x49\x83\x76\x83\x56\x83\x87\x83\x93";  // オプション
inline constexpr char kCheckBox1Caption[] =
    "\x90\xFC\x8E\xED\x82\xF0\x8D\x6C\x97\xB6\x82\xB7\x82\xE9\x81\x42";  // 線種を考慮する。
inline constexpr char kCheckBox2Caption[] =
    "\x90\xFC\x90\x46\x82\xF0\x8D\x6C\x97\xB6\x82\xB7\x82\xE9\x81\x42";  // 線色を考慮する。
inline constexpr char kCheckBox3Caption[] =
    "\x91\x53\x82\xC4\x82\xCC\x90\x7D\x8C\x60\x82\xF0\x95\x60\x82\xAD\x81\x42";  // 全ての図形を描く。
inline constexpr char kGroupBox4Caption[] = "\x88\xCA\x92\x75\x8D\x87\x82\xED\x82\xB9";  // 位置合わせ
inline constexpr char kRadioButton1Caption[] =
    "\x8D\xB6\x89\xBA\x82\xF0(0,0)\x82\xC9\x82\xB7\x82\xE9\x81\x42";  // 左下を(0,0)にする。
inline constexpr char kRadioButton2Caption[] =
    "\x92\x86\x90\x53\x82\xF0(0,0)\x82\xC9\x82\xB7\x82\xE9\x81\x42";  // 中心を(0,0)にする。
inline constexpr char kRadioButton3Caption[] =
    "\x83\x74\x83\x42\x83\x62\x83\x67\x82\xB3\x82\xB9\x82\xE9\x81\x42";  // フィットさせる。

inline constexpr char kGroupBox2Caption[] = "\x90\x46";  // 色
inline constexpr char kLabel5Caption[] = "\x90\xFC\x90\x46\x82\x50";  // 線色１
inline constexpr char kLabel6Caption[] = "\x90\xFC\x90\x46\x82\x51";  // 線色２
inline constexpr char kLabel7Caption[] = "\x90\xFC\x90\x46\x82\x52";  // 線色３
inline constexpr char kLabel8Caption[] = "\x90\xFC\x90\x46\x82\x53";  // 線色４
inline constexpr char kLabel9Caption[] = "\x90\xFC\x90\x46\x82\x54";  // 線色５
inline constexpr char kLabel10Caption[] = "\x90\xFC\x90\x46\x82\x55";  // 線色６
inline constexpr char kChangeButtonCaption[] = "\x95\xCF\x8D\x58";  // 変更
inline constexpr char kLabel11Caption[] = "\x94\x77\x8C\x69";  // 背景
inline constexpr char kLabel12Caption[] = "\x95\xB6\x8E\x9A\x90\x46";  // 文字色

inline constexpr char kOkCaption[] = "OK";
inline constexpr char kCancelCaption[] = "\xB7\xAC\xDD\xBE\xD9";  // ｷｬﾝｾﾙ (half-width)

inline constexpr char kInvalidNumberMessage[] =
    "\x96\xB3\x8C\xF8\x82\xC8\x90\x94\x92\x6C\x82\xC5\x82\xB7\x81\x42";  // 無効な数値です。
// %s stands for the field's text.
inline constexpr char kNotANumberMessage[] =
    "'%s' \x82\xCD\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // '%s' は数値ではありません
// The caption of the form's message boxes: the form's own, so the box says
// whose it is.
inline constexpr const char* kMessageCaption = kDialogCaption;

}  // namespace karvex::form_texts
