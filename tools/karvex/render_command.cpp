#include "karvex/render_command.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "base/processors.h"
#include "karvex/blank_picture.h"
#include "karvex/converter_settings.h"
#include "karvex/diagnostics.h"
#include "karvex/file_renderer.h"
#include "karvex/input_source.h"
#include "karvex/interrupt.h"
#include "karvex/mapping_release.h"
#include "karvex/output_plan.h"
#include "karvex/picture_writer.h"
#include "karvex/progress_bar.h"
#include "karvex/streamed_picture.h"
#include "karvex/temporary_file.h"
#include "karvex/text_encoding.h"
#include "karvex/worker_pool.h"

namespace karvex::tools {
namespace {

constexpr int kExitInterrupted = 130;

// Forwards one file's progress reports to the bar; answers "stop" once the
// user interrupted.
class FileProgress final : public ProgressListener {
 public:
  FileProgress(ProgressBar& bar, std::size_t job) : bar_(bar), job_(job) {}
  bool OnProgress(std::int32_t num, std::int32_t denom) override {
    bar_.FileProgress(job_, num, denom);
    return InterruptRequested();
  }

 private:
  ProgressBar& bar_;
  std::size_t job_;
};

std::size_t WorkerCount(const RenderOptions& options) {
  const std::size_t wanted =
      options.jobs > 0 ? static_cast<std::size_t>(options.jobs) : ProcessorsAvailable();
  return std::min(wanted, options.inputs.size());
}

std::string Prefixed(const std::string& name, const std::string& text) { return "karvex: " + name + ": " + text; }

std::string OutputName(const OutputTarget& target) {
  return target.standardOutput ? std::string("standard output") : target.path;
}

// Everything one run shares among its jobs.
struct RenderRun {
  const RenderOptions& options;
  const std::vector<OutputTarget>& targets;
  const Settings& settings;
  const EncodingPolicy& encoding;
  const PictureWriter& writer;
  ProgressBar& bar;
  OrderedReport& report;
  std::FILE* trace;
  std::atomic<bool> anyFailed{false};
  // The trace is kept once the drawing was read; an input that could not be
  // had leaves none.
  std::atomic<bool> traced{false};
};

// One input, start to end; its lines go to the report. False when it failed.
bool DrawOne(RenderRun& run, FileRenderer& renderer, std::size_t job) {
  const std::string& path = run.options.inputs[job];
  const std::string shown = path == "-" ? std::string(kStandardInputName) : path;
  std::vector<std::string> lines;
  run.bar.FileStarted(job, shown);
  bool drawn = false;
  try {
    if (ReadsFromTerminal(path)) run.bar.PrintLines({std::string("karvex: ") + kTerminalInputNote});
    LoadedInput input = LoadInput(path);
    const OutputTarget& target = run.targets[job];
    // An SVG is written while the drawing is drawn, and put in place after.
    std::optional<StreamedPicture> streamed;
    if (target.format == PictureFormat::Svg) streamed.emplace(target, run.writer.FileMode());
    FileProgress progress(run.bar, job);
    const FileOutcome outcome = renderer.Render(input, run.settings, run.encoding, &progress, run.trace,
                                                streamed ? streamed->File() : nullptr);
    run.traced = true;
    if (InterruptRequested()) {
      lines.push_back(Prefixed(shown, "interrupted; no picture written"));
    } else if (outcome.result != 0) {
      lines.push_back(Prefixed(shown, "cannot draw: " + FailureCause(outcome, input.Bytes())));
    } else {
      const bool quiet = run.options.quiet;
      const bool failOnBlank = run.options.failOnBlank;
      const std::optional<BlankPicture> blank =
          quiet && !failOnBlank ? std::nullopt : DiagnoseBlankPicture(outcome, input.Bytes());
      // The text is not read again: a large mapping goes while the picture
      // is written.
      const MappingRelease release(std::move(input.mapping));
      if (!blank || !failOnBlank) {
        try {
          if (streamed) {
            if (!outcome.svgWritten) throw OutputError("a write failed");
            streamed->Commit();
          } else {
            run.writer.Write(*outcome.picture, target);
          }
          drawn = true;
        } catch (const OutputError& error) {
          lines.push_back(Prefixed(shown, "cannot write " + OutputName(target) + ": " + error.what()));
        }
      }
      if (!quiet) {
        for (const std::string& note : DrawingNotes(outcome, blank)) lines.push_back(Prefixed(shown, note));
      }
      if (blank && failOnBlank) {
        lines.push_back(Prefixed(shown, "blank picture, not written (--fail-on-blank): " + blank->description));
      } else if (blank && !quiet) {
        lines.push_back(Prefixed(shown, "blank picture: " + blank->description));
      }
    }
    if (!outcome.traceWritten) {
      lines.push_back(Prefixed(shown, "cannot write the trace " + *run.options.tracePath));
      drawn = false;
    }
  } catch (const InputError& error) {
    lines.push_back(Prefixed(shown, error.what()));
  } catch (const OutputError& error) {
    lines.push_back(Prefixed(shown, "cannot write " + OutputName(run.targets[job]) + ": " + error.what()));
  } catch (const std::bad_alloc&) {
    lines.push_back(Prefixed(shown, "out of memory"));
  } catch (const std::exception& error) {
    lines.push_back(Prefixed(shown, error.what()));
  }
  run.bar.FileFinished(job);
  run.report.Deliver(job, std::move(lines));
  return drawn;
}

}  // namespace

int RunRender(const RenderOptions& options) {
  const EncodingPolicy encoding = EncodingPolicy::FromOption(options.encoding);
  const std::vector<OutputTarget> targets = PlanOutputs(options, ::isatty(STDOUT_FILENO) == 1);
  if (options.tracePath && !targets[0].standardOutput && *options.tracePath == targets[0].path) {
    throw UsageError("--trace and -o name the same file");
  }
  const Settings settings = LoadConverterSettings(options.size, options.choices);
  const PictureWriter writer(PictureWriter::NewFileMode());
  WatchForInterrupts();

  const std::size_t workers = WorkerCount(options);
  std::vector<std::unique_ptr<FileRenderer>> renderers;
  // Workers already keep the processors busy: only one alone reads ahead.
  const Antialiasing antialiasing = options.smooth ? Antialiasing::On : Antialiasing::Off;
  for (std::size_t i = 0; i < workers; ++i) {
    renderers.push_back(std::make_unique<FileRenderer>(workers == 1, antialiasing));
  }

  ProgressBar bar(stderr, !options.quiet && ProgressBar::StandardErrorIsTerminal(), options.inputs.size());
  if (!options.quiet && !renderers[0]->TextProblem().empty())
    bar.PrintLines({"karvex: " + renderers[0]->TextProblem()});

  std::optional<TemporaryFile> trace;
  if (options.tracePath) {
    try {
      trace.emplace(*options.tracePath, PictureWriter::NewFileMode());
    } catch (const OutputError& error) {
      bar.PrintLines({"karvex: cannot write the trace " + *options.tracePath + ": " + error.what()});
      return 1;
    }
  }

  OrderedReport report(bar, options.inputs.size());
  RenderRun run{options, targets, settings, encoding, writer, bar, report, trace ? trace->File() : nullptr};
  RunOnWorkers(
      options.inputs.size(), workers,
      [&](std::size_t worker, std::size_t job) {
        if (!DrawOne(run, *renderers[worker], job)) run.anyFailed = true;
      },
      InterruptRequested);
  report.Flush();

  if (InterruptRequested()) {
    bar.PrintLines({"karvex: interrupted"});
    return kExitInterrupted;
  }
  if (trace && run.traced) {
    try {
      trace->Commit();
    } catch (const OutputError& error) {
      bar.PrintLines({"karvex: cannot write the trace " + *options.tracePath + ": " + error.what()});
      run.anyFailed = true;
    }
  }
  bar.Close();
  return run.anyFailed ? 1 : 0;
}

}  // namespace karvex::tools
