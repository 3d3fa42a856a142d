#include "render/kinds/mtext_kind.h"

#include <cmath>

#include "render/kinds/mtext_codes.h"

namespace karvex {
namespace {

constexpr double kDegreesPerRadian = 57.295779513082320876798;
// CAD sets an MTEXT's lines 5/3 of the text height apart at spacing 1.
constexpr double kLineStepInHeights = 5.0 / 3.0;

// The rotation in degrees within [0, 360): from the direction where it is
// given and not zero, else from group 50.
double RotationOf(const MtextRecord& mtext) {
  double degrees = mtext.rotation;
  if (mtext.directionX && mtext.directionY && (*mtext.directionX != 0 || *mtext.directionY != 0)) {
    degrees = std::atan2(static_cast<double>(*mtext.directionY), static_cast<double>(*mtext.directionX)) *
              kDegreesPerRadian;
  }
  degrees = std::fmod(degrees, 360.0);
  return degrees < 0 ? degrees + 360.0 : degrees;
}

}  // namespace

MtextLayout LayOutMtext(const MtextRecord& mtext, const TextEncoding& encoding) {
  MtextLayout layout;
  const double height = mtext.height;
  if (!(std::fabs(height) > 0)) return layout;
  const double size = std::fabs(height);
  const double wrapWidth = mtext.referenceWidth > 0 ? mtext.referenceWidth / size : 0;
  std::vector<std::string> lines;
  for (const std::string& paragraph : MtextParagraphs(mtext.text, encoding)) {
    for (std::string& line : WrapParagraph(paragraph, wrapWidth, encoding)) {
      if (lines.size() == kMostMtextLines) break;
      lines.push_back(std::move(line));
    }
  }
  const double step = kLineStepInHeights * size * (mtext.spacingFactor > 0 ? mtext.spacingFactor : 1.0);
  const int attachment = mtext.attachment >= 1 && mtext.attachment <= 9 ? mtext.attachment : 1;
  const int row = (attachment - 1) / 3;     // 0 top, 1 middle, 2 bottom
  const int column = (attachment - 1) % 3;  // 0 left, 1 centre, 2 right
  const double total = size + step * static_cast<double>(lines.size() - 1);
  const double top = row == 0 ? 0 : row == 1 ? total / 2 : total;

  const double rotation = RotationOf(mtext);
  layout.rotation = static_cast<float>(rotation);
  const double radians = rotation / kDegreesPerRadian;
  const double alongX = std::cos(radians), alongY = std::sin(radians);
  const double upX = -alongY, upY = alongX;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double width = encoding.WidthInHeights(lines[i]) * size;
    const double u = column == 0 ? 0 : column == 1 ? -width / 2 : -width;
    // The point one height below the line's cell top.
    const double v = top - step * static_cast<double>(i) - size;
    layout.lines.push_back({static_cast<float>(mtext.x + u * alongX + v * upX),
                            static_cast<float>(mtext.y + u * alongY + v * upY), std::move(lines[i])});
  }
  return layout;
}

}  // namespace karvex
