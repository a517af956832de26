#include "driver/command_line.h"

#include <charconv>
#include <sstream>
#include <vector>

#include "app/main_menu.h"

namespace kv {
namespace {

constexpr size_t kTextWidth = 80;
constexpr std::string_view kUsageStart = "usage: kervana ";
// Where the option descriptions of --help begin.
constexpr size_t kHelpColumn = 26;
constexpr int kMaxWindowScale = 8;

// One option of the command line. The table below is the only place an option is named: parsing,
// the synopsis and --help all read it, so a new option is one new row.
struct OptionRow {
  std::string_view name;
  std::string_view argument;  // shown as the argument's name; empty for an option without one
  std::string_view meaning;
  // Stores the option; false when the argument is not one the option takes.
  bool (*apply)(CommandLine& line, const std::string& argument);
  // What the argument may be, for the message that refuses another ("a whole number from 1 to 8").
  std::string_view allowed = {};
};

constexpr OptionRow kOptions[] = {
    {"--headless", "",
     "no window and no sound device: a virtual clock and a virtual mixer (for tests)",
     [](CommandLine& line, const std::string&) {
       line.options.headless = true;
       return true;
     }},
    {"--windowed", "", "start in an 800 x 600 window instead of full screen",
     [](CommandLine& line, const std::string&) {
       line.options.windowed = true;
       return true;
     }},
    {"--renderer", "software|accelerated",
     "software: the game scales its picture itself into the window; accelerated: a graphics "
     "card's renderer does (the default where a graphics card is found)",
     [](CommandLine& line, const std::string& argument) {
       if (argument == "software") {
         line.options.sdl.renderer = SdlOptions::Renderer::kSoftware;
       } else if (argument == "accelerated") {
         line.options.sdl.renderer = SdlOptions::Renderer::kAccelerated;
       } else {
         return false;
       }
       return true;
     },
     "software or accelerated"},
    {"--scale-filter", "nearest|linear",
     "how the picture is scaled to the screen or window: nearest keeps hard pixels, linear "
     "(the default) blends them",
     [](CommandLine& line, const std::string& argument) {
       if (argument == "nearest") {
         line.options.sdl.filter = ScaleFilter::kNearest;
       } else if (argument == "linear") {
         line.options.sdl.filter = ScaleFilter::kLinear;
       } else {
         return false;
       }
       return true;
     },
     "nearest or linear"},
    {"--integer-scale", "",
     "scale the picture only by whole multiples of 800 x 600, centred on black (where none "
     "fits, as large as fits)",
     [](CommandLine& line, const std::string&) {
       line.options.sdl.integer_scale = true;
       return true;
     }},
    {"--window-scale", "N",
     "start in a window N times 800 x 600 (N from 1 to 8; as large as the desktop allows)",
     [](CommandLine& line, const std::string& argument) {
       int scale = 0;
       const auto [end, error] =
           std::from_chars(argument.data(), argument.data() + argument.size(), scale);
       if (error != std::errc() || end != argument.data() + argument.size() || scale < 1 ||
           scale > kMaxWindowScale) {
         return false;
       }
       line.options.windowed = true;
       line.options.sdl.window_scale = scale;
       return true;
     },
     "a whole number from 1 to 8"},
    {"--framed", "",
     "give the window the window manager's frame and close button, and let it be resized",
     [](CommandLine& line, const std::string&) {
       line.options.sdl.framed = true;
       return true;
     }},
    {"--script", "FILE",
     "feed the lines of FILE as input events after start-up, then end; your own script, which "
     "may write files where its lines say",
     [](CommandLine& line, const std::string& argument) {
       line.options.script = argument;
       return true;
     }},
    {"--replay", "FILE",
     "play the recording FILE (someone else's too): as --script, but only a recording, and it "
     "writes no files",
     [](CommandLine& line, const std::string& argument) {
       line.options.replay = argument;
       return true;
     }},
    {"--record", "FILE",
     "record the session into FILE (a new file) as a recording that plays it again, checking "
     "itself as it goes (kervana --headless --replay FILE); attach it to a bug report",
     [](CommandLine& line, const std::string& argument) {
       line.options.record = argument;
       return true;
     }},
    {"--state-out", "FILE", "write the state dump (JSON) to FILE when the program ends",
     [](CommandLine& line, const std::string& argument) {
       line.options.state_out = argument;
       return true;
     }},
    {"--data", "DIR",
     "read the data files from DIR (otherwise from the data folder of the installation the "
     "program belongs to, from ./data, from data/ beside the program, or from the installed one)",
     [](CommandLine& line, const std::string& argument) {
       line.options.data = argument;
       return true;
     }},
    {"--help", "", "print this help and exit",
     [](CommandLine& line, const std::string&) {
       line.action = CommandLine::Action::kHelp;
       return true;
     }},
    {"--version", "", "print the version and exit",
     [](CommandLine& line, const std::string&) {
       line.action = CommandLine::Action::kVersion;
       return true;
     }},
};

const OptionRow* FindOption(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// "--name ARGUMENT", or the name alone, after `before`.
std::string Spelling(std::string_view before, const OptionRow& row) {
  std::string text(before);
  text.append(row.name);
  if (!row.argument.empty()) text.append(" ").append(row.argument);
  return text;
}

// Words laid after `line` into lines of at most kTextWidth columns, every line after the first
// indented as far as `line` reaches.
std::string Wrap(const std::vector<std::string>& words, std::string line) {
  std::string text;
  const size_t start = line.size();
  for (const std::string& word : words) {
    if (line.size() > start) {
      if (line.size() + 1 + word.size() > kTextWidth) {
        text += line + "\n";
        line = std::string(start, ' ');
      } else {
        line += ' ';
      }
    }
    line += word;
  }
  return text + line + "\n";
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> args) {
  CommandLine line;
  const auto refuse = [&](std::string problem) {
    line.action = CommandLine::Action::kUsageError;
    line.problem = std::move(problem);
    return line;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionRow* row = FindOption(name);
    if (row == nullptr) {
      return refuse(name.starts_with("-") ? "unknown option " + name : "unexpected " + arg);
    }
    if (row->argument.empty() && equals != std::string::npos) {
      return refuse(name + " takes no argument");
    }
    std::string argument;
    if (equals != std::string::npos) {
      argument = arg.substr(equals + 1);
    } else if (!row->argument.empty()) {
      if (i + 1 == args.size()) return refuse(name + " needs " + std::string(row->argument));
      argument = args[++i];
    }
    if (!row->apply(line, argument)) {
      return refuse(name + ": " + argument + " is not " + std::string(row->allowed));
    }
    if (line.action != CommandLine::Action::kPlay) return line;
  }
  if (!line.options.script.empty() && !line.options.replay.empty()) {
    return refuse("--script and --replay cannot be given together");
  }
  return line;
}

std::string UsageText() {
  std::vector<std::string> words;
  for (const OptionRow& row : kOptions) words.push_back(Spelling("[", row) + "]");
  return Wrap(words, std::string(kUsageStart));
}

std::string HelpText() {
  std::string text = UsageText() + "\nKervana IV, a small fantasy role-playing game.\n\n";
  for (const OptionRow& row : kOptions) {
    std::string head = Spelling("  ", row);
    // A long option name gets a line of its own, its meaning below it.
    if (head.size() + 1 > kHelpColumn) {
      text += head + "\n";
      head.clear();
    }
    head.resize(kHelpColumn, ' ');
    text += Wrap(Words(row.meaning), head);
  }
  return text + "\n" +
         Wrap(Words("Keys: the arrow keys, K J H L or the keypad's 8 2 4 6 walk; Alt+Enter "
                    "switches between full screen and a window; F12 saves a screenshot in the "
                    "pictures folder; Escape quits. A game controller walks with its left stick "
                    "or d-pad, moves the pointer with its right stick and clicks with A. The "
                    "manual page kervana(6) says more."),
              "");
}

std::string VersionText() {
  return std::string(kVersionText) + "\n" + BuildName() + "\n";
}

std::string BuildName() {
  return "kervana " KV_BUILD_VERSION;
}

}  // namespace kv
