#include "karvex/help_text.h"

namespace karvex::tools {
namespace {

constexpr char kOverview[] =
    "karvex draws DXF drawings as PNG, BMP or SVG pictures, with the reading\n"
    "and drawing rules of the karvex.spi plug-in.\n"
    "\n"
    "usage: karvex render [OPTIONS] INPUT...\n"
    "       karvex info [OPTIONS] INPUT\n"
    "       karvex config [--width N] [--height N] [--ratio] [--align MODE]\n"
    "                     [--[no-]line-types] [--[no-]colours] [--reset]\n"
    "       karvex --help | karvex COMMAND --help | karvex --version\n"
    "\n";

constexpr char kRender[] =
    "karvex render [OPTIONS] INPUT...\n"
    "  Draws each DXF file as the plug-in's GetPicture would and writes it as\n"
    "  PNG or BMP, or as SVG: the same figures at the same size, written while\n"
    "  they are drawn. INPUT '-' reads the drawing from standard input (on a\n"
    "  terminal: type or paste it, then Ctrl-D).\n"
    "\n"
    "  -o, --output OUTPUT  with one input: the picture file (its extension,\n"
    "                       .png, .bmp or .svg, gives the format; any other\n"
    "                       one needs --format), or '-' for standard output;\n"
    "                       with several: a folder, made if missing.\n"
    "                       Default: beside each input, its extension\n"
    "                       replaced (standard output for '-').\n"
    "                         karvex render plan.dxf -o plan.png\n"
    "                         karvex render a.dxf b.dxf -o pictures/\n"
    "                         karvex render plan.dxf -o plan.svg\n"
    "      --format FORMAT  png, bmp or svg: the format when the output's name\n"
    "                       gives none, and for standard output (default png)\n"
    "                         karvex render plan.dxf --format bmp\n"
    "                         karvex render - -o - --format svg < plan.dxf > plan.svg\n"
    "      --smooth         draw lines, circles, arcs and texts smooth\n"
    "                       (anti-aliased) at the same places, instead of\n"
    "                       pixel by pixel as the plug-in does; PNG and BMP\n"
    "                       only (an SVG is smoothed by whatever shows it)\n"
    "                         karvex render plan.dxf --smooth -o thumb.png\n"
    "      --size WxH       draw at this size in pixels (1 to 9999 each side)\n"
    "                       instead of the one in the settings file\n"
    "                         karvex render plan.dxf --size 1024x724\n"
    "      --align MODE     where the drawing lands, instead of the settings\n"
    "                       file's alignment mode: origin (1, the HEADER's\n"
    "                       rectangle at the lower left), centre (2, the\n"
    "                       origin in the middle), fit (3, everything drawn\n"
    "                       filling the picture, whatever the HEADER says)\n"
    "                         karvex render plan.dxf --align fit\n"
    "      --line-types     lines, circles and arcs in the dash patterns of\n"
    "                       their line types\n"
    "                         karvex render plan.dxf --line-types\n"
    "      --no-line-types  every line solid, whatever the settings file says\n"
    "      --colours        each entity in its own colour on the background\n"
    "                       colour, entities of layers that are off left out\n"
    "                         karvex render plan.dxf --colours --line-types\n"
    "      --no-colours     black on white, whatever the settings file says\n"
    "  -j, --jobs N         draw N files at once (default: one per processor);\n"
    "                       the pictures are the same whatever N is\n"
    "                         karvex render -j 4 *.dxf -o out/\n"
    "      --encoding NAME  how text bytes become characters: auto (default:\n"
    "                       UTF-8 from version AC1021 on, otherwise the code\n"
    "                       page $DWGCODEPAGE names, otherwise code page 932 as\n"
    "                       the plug-in reads them; \\U+XXXX escapes become\n"
    "                       their characters), or one forced for every text:\n"
    "                       cp932 (exactly as the plug-in), utf-8, or a code\n"
    "                       page such as ANSI_1252, cp1251, DOS850\n"
    "                         karvex render plan.dxf --encoding ANSI_1251\n"
    "      --trace FILE     write every drawing call of the one input as JSON\n"
    "                       Lines ({\"op\":\"line\",\"args\":[10,20]}) to FILE; a\n"
    "                       text's \"text\" is in UTF-8 as it is drawn, its\n"
    "                       \"bytes\" the drawing's own, in hexadecimal\n"
    "                         karvex render plan.dxf --trace plan.jsonl\n"
    "      --fail-on-blank  a picture with nothing on it (all white) fails:\n"
    "                       it is not written, and the exit status is 1\n"
    "                         karvex render --fail-on-blank -q *.dxf -o out/\n"
    "  -q, --quiet          no progress bar and no notes on what was not\n"
    "                       drawn; errors are still shown\n"
    "                         karvex render -q plan.dxf\n"
    "\n"
    "  A progress bar shows on standard error when it is a terminal. After a\n"
    "  file that was drawn in part, short notes say where reading stopped and\n"
    "  why, and which entities were passed over without drawing. A blank\n"
    "  picture is said in one line with its likely reason: no HEADER, a\n"
    "  rectangle that misses the drawing (stale extents), only kinds that are\n"
    "  passed over, texts without a font, or blocks that draw nothing.\n"
    "\n"
    "  Exit status: 0 when every file was drawn, 1 when any failed (each one\n"
    "  named on standard error; the others are still drawn), 2 for a mistake\n"
    "  on the command line.\n"
    "\n";

constexpr char kInfo[] =
    "karvex info [OPTIONS] INPUT\n"
    "  Reads the drawing as render does and tells what it found, without\n"
    "  writing a picture: version ($ACADVER), code page ($DWGCODEPAGE), line\n"
    "  ends, text encoding, drawing rectangle (from the extents, the limits\n"
    "  or the fall-back), DrawScale, picture size, where each alignment mode\n"
    "  puts the drawing and at what scale, blocks, and entities by kind,\n"
    "  drawn or not. A binary DXF file is said to be one.\n"
    "\n"
    "      --size WxH       as for render: the size the scale is worked out for\n"
    "      --align MODE     as for render: the mode marked as drawn so\n"
    "      --line-types     as for render (and --no-line-types)\n"
    "      --colours        as for render (and --no-colours): layers that are\n"
    "                       off are left out of the box mode 3 fits\n"
    "                         karvex info plan.dxf --colours\n"
    "      --encoding NAME  as for render: the encoding reported\n"
    "  -q, --quiet          no progress bar\n"
    "                         karvex info plan.dxf\n"
    "\n";

constexpr char kConfig[] =
    "karvex config [--width N] [--height N] [--ratio] [--align MODE]\n"
    "              [--[no-]line-types] [--[no-]colours] [--reset]\n"
    "  Shows the settings file ($XDG_CONFIG_HOME/karvex/settings.ini, by\n"
    "  default ~/.config/karvex/settings.ini) and, given options, changes it.\n"
    "  Only this command writes the file; render and info only read it.\n"
    "\n"
    "      --width N        picture width in pixels (1 to 9999)\n"
    "      --height N       picture height in pixels (1 to 9999)\n"
    "      --ratio          with one of --width or --height: set the other to\n"
    "                       N / sqrt 2, the settings dialog's paper ratio\n"
    "                         karvex config --width 1024 --ratio   (1024 x 724)\n"
    "      --align MODE     the alignment mode: origin, centre or fit\n"
    "                         karvex config --align fit\n"
    "      --line-types     the settings dialog's box for line types ticked\n"
    "                       (--no-line-types: not ticked)\n"
    "                         karvex config --line-types --no-colours\n"
    "      --colours        the settings dialog's box for line colours ticked\n"
    "                       (--no-colours: not ticked)\n"
    "      --reset          back to the defaults (640 x 453, origin, no line\n"
    "                       types, no colours) before any other\n"
    "                       change\n"
    "                         karvex config --reset\n"
    "\n";

constexpr char kVersion[] =
    "karvex --version\n"
    "  Prints the version.\n"
    "\n";

constexpr char kEnvironment[] =
    "Environment:\n"
    "  KARVEX_FONT          the TrueType font file texts are drawn in, instead\n"
    "                       of IPAGothic\n"
    "                       (/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf)\n"
    "                         KARVEX_FONT=/path/to/gothic.ttf karvex render plan.dxf\n"
    "  XDG_CONFIG_HOME      the folder that holds karvex/settings.ini\n"
    "                       (default: ~/.config)\n";

}  // namespace

std::optional<std::string> HelpText(const std::string& topic) {
  if (topic.empty()) {
    return std::string(kOverview) + kRender + kInfo + kConfig + kVersion + kEnvironment;
  }
  if (topic == "render") return std::string(kRender);
  if (topic == "info") return std::string(kInfo);
  if (topic == "config") return std::string(kConfig);
  return std::nullopt;
}

}  // namespace karvex::tools
