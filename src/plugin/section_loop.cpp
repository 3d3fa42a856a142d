#include "plugin/section_loop.h"

#include "dxf/header_section.h"

namespace karvex {

template <class Sink>
void SectionLoop::Run(Sink& figures, EntityObserver* observer) {
  // Each run learns the drawing's styles afresh, so that every run sees
  // the same at the same place.
  StyleTables* styles = options_.Styled() ? &state_.styles : nullptr;
  if (styles != nullptr) styles->Clear();
  HeaderTextFacts* textFacts = options_.allKinds && imposed_ == nullptr ? &textFacts_ : nullptr;
  textFacts_ = HeaderTextFacts{};
  reader_.ReadGroupPair();
  for (;;) {
    if (reader_.Is(0, "SECTION")) {
      reader_.ReadGroupPair();
      // Each test sees the pair the previous reader left; a reader returns on
      // a group-0 pair, so at most one runs per section.
      if (reader_.Is(2, "HEADER") &&
          !ReadHeaderSection(reader_, state_.extents, outputWidth_, outputHeight_, styles, textFacts)) {
        return;
      }
      if (reader_.Is(2, "TABLES") && !ReadTablesSection(reader_, state_.lineTypes, styles)) return;
      if (reader_.Is(2, "BLOCKS") && !ReadBlocksSection(reader_, state_.blocks)) return;
      if (reader_.Is(2, "ENTITIES")) {
        WalkSetup setup;
        setup.options = options_;
        setup.observer = observer;
        if (styles != nullptr) setup.styles = &resolver_;
        setup.turns = &turns_;
        if (options_.allKinds) {
          // Texts are read as the HEADER before this section said, and
          // drawn through the wide-character output where there is one.
          textEncoding_ = imposed_ != nullptr ? *imposed_ : ChooseTextEncoding(textFacts_);
          setup.textEncoding = &textEncoding_;
          figures.UseTextEncoding(textEncoding_);
        }
        EntityDrawer drawer(reader_, figures, state_.blocks, setup);
        if (!drawer.DrawEntities()) return;
      }
    }
    reader_.ReadGroupPair();
    if (reader_.IsEnd("EOF")) return;
  }
}

template void SectionLoop::Run(CanvasSink&, EntityObserver*);
template void SectionLoop::Run(BoundsSink&, EntityObserver*);
template void SectionLoop::Run(FigureSink&, EntityObserver*);

}  // namespace karvex
