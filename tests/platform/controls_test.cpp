#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/controls.h"
#include "platform/cp1250.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "support/test_support.h"

namespace kv {
namespace {

constexpr MouseButton kLeft = MouseButton::kLeft;

// The name field and a sound-volume bar as the game lays them out.
struct Screen {
  ControlHost host;
  EditControl edit;
  TrackBar bar;
  ListBox list;
  int changes = 0;
  std::vector<int> released;

  Screen() {
    edit.bounds = {205, 230, 595, 271};
    edit.max_length = 20;
    edit.on_key_up = [this](int key) { released.push_back(key); };
    bar.bounds = {505, 300, 725, 340};
    bar.max = 40;
    bar.frequency = 40;
    bar.SetPosition(5);
    bar.on_change = [this] { ++changes; };
    list.bounds = {57, 285, 286, 401};
    for (Control* c : std::initializer_list<Control*>{&edit, &bar, &list}) {
      host.Add(c);
      host.Show(*c, true);
    }
  }
  Point ThumbCentre() const {
    const Rect t = bar.ThumbRect();
    return {(t.left + t.right) / 2, (t.top + t.bottom) / 2};
  }
  void Click(Point p) {
    host.MouseDown(p, kLeft);
    host.MouseUp(p, kLeft);
  }
};

TEST(ControlHostTest, KeyboardGoesToTheClickedControlUntilAnotherTakesItOrItHides) {
  Screen s;
  EXPECT_EQ(s.host.focus(), nullptr) << "showing a control must not give it the keyboard";
  EXPECT_FALSE(s.host.KeyDown(vk::kEscape, {}));

  s.Click({300, 250});
  EXPECT_EQ(s.host.focus(), &s.edit);
  EXPECT_TRUE(s.edit.focused);
  EXPECT_TRUE(s.host.KeyDown(vk::kEscape, {})) << "Escape typed into the field is the field's";
  EXPECT_TRUE(s.host.TextInput("x"));

  s.Click({10, 10});  // the main window does not take the keyboard back
  EXPECT_EQ(s.host.focus(), &s.edit);

  s.Click({100, 300});  // the list box takes the mouse but never the keyboard
  EXPECT_EQ(s.host.focus(), &s.edit);

  s.Click({520, 335});
  EXPECT_EQ(s.host.focus(), &s.bar);
  EXPECT_FALSE(s.edit.focused);

  s.host.Show(s.bar, false);
  EXPECT_EQ(s.host.focus(), nullptr);
  EXPECT_FALSE(s.bar.focused);
  EXPECT_FALSE(s.host.KeyDown(vk::kRight, {}));
  EXPECT_FALSE(s.host.MouseDown(s.ThumbCentre(), kLeft)) << "a hidden control gets no mouse";
}

TEST(ControlHostTest, FocusGivesOnlyAVisibleControlThatTakesKeysTheKeyboard) {
  Screen s;
  s.host.Focus(s.list);
  EXPECT_EQ(s.host.focus(), nullptr);
  s.host.Show(s.edit, false);
  s.host.Focus(s.edit);
  EXPECT_EQ(s.host.focus(), nullptr);
  s.host.Show(s.edit, true);
  s.host.Focus(s.edit);
  EXPECT_EQ(s.host.focus(), &s.edit);
  EXPECT_TRUE(s.edit.focused);
  EXPECT_TRUE(s.host.TextInput("x"));
  s.host.Focus(s.bar);
  EXPECT_FALSE(s.edit.focused);
  EXPECT_EQ(s.host.focus(), &s.bar);
}

TEST(ControlHostTest, ControlHiddenBehindTheHostsBackLosesTheKeyboard) {
  Screen s;
  s.Click({300, 250});
  s.edit.visible = false;
  EXPECT_FALSE(s.host.KeyDown(vk::kBack, {}));
  EXPECT_EQ(s.host.focus(), nullptr);
}

TEST(ControlHostTest, DragStaysWithWhereItStarted) {
  Screen s;
  EXPECT_TRUE(s.host.MouseDown(s.ThumbCentre(), kLeft));
  EXPECT_EQ(s.host.capture(), &s.bar);
  EXPECT_TRUE(s.host.MouseMove({790, 10})) << "captured moves outside the bar stay with it";
  EXPECT_EQ(s.bar.position(), 40);
  EXPECT_TRUE(s.host.MouseUp({790, 10}, kLeft));
  EXPECT_EQ(s.host.capture(), nullptr);
  EXPECT_FALSE(s.host.MouseMove({790, 10}));

  // A press on the main window keeps its drag there, even across a control.
  EXPECT_FALSE(s.host.MouseDown({10, 10}, kLeft));
  EXPECT_FALSE(s.host.MouseMove(s.ThumbCentre()));
  EXPECT_FALSE(s.host.MouseUp(s.ThumbCentre(), kLeft));
  EXPECT_EQ(s.bar.position(), 40);
  EXPECT_TRUE(s.host.MouseMove(s.ThumbCentre()));
}

TEST(ControlHostTest, LostReleaseDoesNotKeepTheCaptureForever) {
  Screen s;
  s.host.MouseDown(s.ThumbCentre(), kLeft);  // its release happens outside the window
  EXPECT_FALSE(s.host.MouseDown({10, 10}, kLeft));
  EXPECT_EQ(s.host.capture(), nullptr);
  s.host.MouseUp({10, 10}, kLeft);
  EXPECT_TRUE(s.host.MouseDown({300, 250}, kLeft));
}

TEST(ControlHostTest, HidingTheCapturingControlEndsTheDrag) {
  Screen s;
  s.host.MouseDown(s.ThumbCentre(), kLeft);
  s.host.Show(s.bar, false);
  EXPECT_EQ(s.host.capture(), nullptr);
  EXPECT_FALSE(s.host.MouseMove({600, 320}));
}

TEST(ControlHostTest, ComposeDrawsOnlyVisibleControlsAndOnlyInsideThem) {
  Screen s;
  s.edit.background = Rgb(0, 0, 0);
  s.list.background = Rgb(140, 95, 50);
  s.host.Show(s.list, false);
  test::TestFonts fonts;
  const uint16_t sentinel = 0x1234;
  Image565 front(800, 600, sentinel);
  Image565 out;
  s.host.Compose(front, out, fonts);
  ASSERT_EQ(out.width, 800);
  ASSERT_EQ(out.height, 600);
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const bool inside = s.edit.bounds.Contains({x, y}) || s.bar.bounds.Contains({x, y});
      if (!inside) {
        ASSERT_EQ(out.At(x, y), sentinel) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(out.At(206, 231), 0) << "the name field is black";
  EXPECT_EQ(out.At(506, 339), To565(Rgb(192, 192, 192))) << "the bar is button-face grey";
  EXPECT_EQ(front.At(206, 231), sentinel);
}

TEST(ControlDrawTest, ControlsHangingOffThePictureClipSafely) {
  test::TestFonts fonts;
  Image565 small(50, 30, 0x1234);
  TrackBar bar;
  bar.bounds = {-100, -10, 120, 30};
  bar.selection_start = bar.selection_end = 3;
  bar.focused = true;
  EditControl edit;
  edit.bounds = {30, 20, 400, 61};
  edit.font.height_px = 33;
  edit.SetText("long enough to scroll past the end of the field");
  edit.focused = true;
  ListBox list;
  list.bounds = {-5, 25, 60, 200};
  list.rows = {"a", "b"};
  bar.Draw(small, fonts);
  edit.Draw(small, fonts);
  list.Draw(small, fonts);
  EXPECT_EQ(small.At(0, 22), To565(Rgb(192, 192, 192)));
}

TEST(EditControlTest, TypingKeepsToTheLengthAndTheCodePage) {
  EditControl edit;
  edit.max_length = 20;
  edit.TextInput("Žluťoučký kůň 日本 úpěl ďábelské");
  EXPECT_EQ(edit.text, cp1250::FromUtf8("Žluťoučký kůň  úpěl "));
  EXPECT_EQ(edit.text.size(), 20u);
  edit.TextInput("x");
  EXPECT_EQ(edit.text.size(), 20u);
  EXPECT_EQ(edit.caret, 20);

  EditControl pasted;
  pasted.TextInput("first line\r\nsecond\tline");
  EXPECT_EQ(pasted.text, "first line");
  pasted.TextInput(
      "a\tb\x7f"
      "c");
  EXPECT_EQ(pasted.text, "first lineabc") << "control characters are not text";
}

TEST(EditControlTest, SetTextIsTrimmedToTheLimit) {
  EditControl edit;
  edit.max_length = 5;
  edit.SetText("NEdit and more");
  EXPECT_EQ(edit.text, "NEdit");
  EXPECT_EQ(edit.caret, 5);
}

// A field as the tables below write it, in UTF-8: '|' is the caret, '^' the selection's other
// end (none: nothing selected).
void SetMarked(EditControl& edit, std::string_view marked) {
  std::string text;
  int caret = 0;
  int anchor = -1;
  for (size_t i = 0; i < marked.size();) {
    const size_t mark = marked.find_first_of("|^", i);
    text += cp1250::FromUtf8(marked.substr(i, mark - i));
    if (mark == std::string_view::npos) break;
    (marked[mark] == '|' ? caret : anchor) = static_cast<int>(text.size());
    i = mark + 1;
  }
  edit.text = text;
  edit.Select(anchor < 0 ? caret : anchor, caret);
}

std::string Marked(const EditControl& edit) {
  std::string out;
  for (int i = 0; i <= static_cast<int>(edit.text.size()); ++i) {
    if (i == edit.anchor && edit.anchor != edit.caret) out += '^';
    if (i == edit.caret) out += '|';
    if (i < static_cast<int>(edit.text.size())) {
      out += cp1250::ToUtf8(edit.text.substr(static_cast<size_t>(i), 1));
    }
  }
  return out;
}

// Presses the keys of `keys` on the field with the keyboard, a paste arriving as typed text as
// the application delivers it. Words: "Ctrl+Shift+Left", "Backspace", "C" ...; "=text" types
// the text, '_' standing for a blank.
void Press(ControlHost& host, std::string_view keys) {
  struct Named {
    std::string_view name;
    int key;
  };
  constexpr Named kKeys[] = {{"Left", vk::kLeft},      {"Right", vk::kRight},
                             {"Home", vk::kHome},      {"End", vk::kEnd},
                             {"Backspace", vk::kBack}, {"Delete", vk::kDelete}};
  while (!keys.empty()) {
    std::string_view word = keys.substr(0, keys.find(' '));
    keys.remove_prefix(std::min(keys.size(), word.size() + 1));
    if (word.starts_with("=")) {
      std::string typed(word.substr(1));
      std::replace(typed.begin(), typed.end(), '_', ' ');
      host.TextInput(typed);
      continue;
    }
    KeyMods mods;
    for (bool more = true; more;) {
      more = false;
      for (auto [prefix, flag] : {std::pair{"Ctrl+", &mods.ctrl}, {"Shift+", &mods.shift}}) {
        if (word.starts_with(prefix)) {
          *flag = more = true;
          word.remove_prefix(std::string_view(prefix).size());
        }
      }
    }
    int key = word.size() == 1 ? vk::Letter(word[0]) : 0;
    for (const Named& n : kKeys) {
      if (word == n.name) key = n.key;
    }
    ASSERT_NE(key, 0) << word;
    host.KeyDown(key, mods);
    host.KeyUp(key);
    if (const std::string paste = host.TakePaste(); !paste.empty()) host.TextInput(paste);
  }
}

TEST(EditControlTest, EditingKeysSelectMoveAndReplaceAsInEveryField) {
  const struct {
    std::string_view before;
    std::string_view keys;
    std::string_view after;
  } cases[] = {
      // Shown from the name box: the first letter typed replaces the default name.
      {"^Neznámý hrdina|", "=J", "J|"},
      {"^Neznámý hrdina|", "Backspace", "|"},
      {"Neznámý hrdina|", "Ctrl+A Delete", "|"},
      {"Neznámý hrdina|", "Home Delete End Backspace", "eznámý hrdin|"},
      {"abc|", "Delete Right", "abc|"},  // nor after it
      {"abc def|", "Shift+Left Shift+Left", "abc d|ef^"},
      {"abc d|ef^", "Left", "abc d|ef"},  // a selection collapses to the end the arrow points to
      {"abc d|ef^", "Right", "abc def|"},
      {"ab|c def", "Shift+End", "ab^c def|"},
      {"abc def ghi|", "Ctrl+Left", "abc def |ghi"},
      {"|abc, def", "Ctrl+Right", "abc, |def"},
      {"|abc def", "Ctrl+Shift+Right", "^abc |def"},
      {"abc def|", "Ctrl+Backspace", "abc |"},
      {"Šťastný| den", "Ctrl+Backspace", "| den"},  // the code page's letters make words
      {"a^bc|d", "=日本", "a^bc|d"},  // nothing the code page holds: the selection stands
      {"a^bc|d", "=X日", "aX|d"},
      // At the limit, typing replaces the selection with as much as fits in its place.
      {"^aa|bbbbbbbbbbbbbbbbbb", "=XYZ", "XY|bbbbbbbbbbbbbbbbbb"},
      // The clipboard: a copy keeps the text, a cut takes it, a paste replaces the selection.
      {"^Jan| Novák", "Ctrl+C End =_ Ctrl+V", "Jan Novák Jan|"},
      {"^Jan |Novák", "Ctrl+X End Ctrl+V", "NovákJan |"},
      {"Jan| Novák", "Ctrl+X Ctrl+V", "Jan| Novák"},  // nothing selected: nothing cut
  };
  for (const auto& c : cases) {
    auto platform = MakeHeadlessPlatform();
    EditControl edit;
    edit.max_length = 20;
    ControlHost& host = platform->controls();
    host.Add(&edit);
    host.Show(edit, true);
    host.Focus(edit);
    SetMarked(edit, c.before);
    Press(host, c.keys);
    EXPECT_EQ(Marked(edit), c.after) << c.before << " + " << c.keys;
    host.Remove(&edit);
  }

  EditControl edit;
  edit.SetText("abc");
  edit.caret = edit.anchor = 99;  // set from outside: must not index past the text
  edit.KeyDown(vk::kBack, {});
  EXPECT_EQ(edit.text, "ab");
}

TEST(EditControlTest, APasteIsOneLineOfTheCodePageCutToWhatFits) {
  auto platform = MakeHeadlessPlatform();
  EditControl edit;
  edit.max_length = 20;
  ControlHost& host = platform->controls();
  host.Add(&edit);
  host.Show(edit, true);
  host.Focus(edit);
  platform->SetClipboardText("日本 Jan Novák z Podlesí a Dolní Lhoty\r\nsecond line");

  SetMarked(edit, "^Neznámý hrdina|");
  host.KeyDown(vk::Letter('V'), {.ctrl = true});
  const std::string paste = host.TakePaste();
  EXPECT_EQ(paste, " Jan Novák z Podlesí") << "what the field takes, and nothing more";
  EXPECT_EQ(host.TakePaste(), "");
  host.TextInput(paste);
  EXPECT_EQ(Marked(edit), " Jan Novák z Podlesí|");

  SetMarked(edit, "Jan |");
  host.KeyDown(vk::Letter('V'), {.ctrl = true});
  EXPECT_EQ(host.TakePaste(), " Jan Novák z Pod");

  platform->SetClipboardText("\nJan");
  host.KeyDown(vk::Letter('V'), {.ctrl = true});
  EXPECT_EQ(host.TakePaste(), "") << "the first line is empty";

  // A replay's clipboard is closed: Ctrl+V finds nothing, Ctrl+C puts nothing there.
  platform->SetClipboardText("kept");
  platform->CloseClipboard();
  host.KeyDown(vk::Letter('V'), {.ctrl = true});
  EXPECT_EQ(host.TakePaste(), "");
  EXPECT_EQ(platform->ClipboardText(), "");
}

TEST(EditControlTest, DraggingSelectsAndADoubleClickTakesTheWord) {
  ControlHost host;
  uint32_t now = 1000;
  host.clock = [&] { return now; };
  EditControl edit;
  edit.bounds = {205, 230, 595, 271};
  edit.font.height_px = 33;
  host.Add(&edit);
  host.Show(edit, true);
  edit.SetText(cp1250::FromUtf8("Jan Novák z Lhoty"));
  test::TestFonts fonts;
  Image565 screen(800, 600);
  edit.Draw(screen, fonts);

  // The x of a boundary between characters, as drawn (the field's margin is 2 pixels).
  const auto x_of = [&](int boundary) {
    int width = 0, height = 0;
    fonts.Measure(edit.font, edit.text.substr(0, static_cast<size_t>(boundary)), width, height);
    return edit.bounds.left + 2 + width;
  };
  host.MouseDown({x_of(2), 250}, kLeft);
  host.MouseMove({x_of(8), 250});
  host.MouseMove({edit.bounds.right + 50, 250});  // past the end, still the field's drag
  host.MouseMove({x_of(8), 250});
  host.MouseUp({x_of(8), 250}, kLeft);
  EXPECT_EQ(Marked(edit), "Ja^n Nová|k z Lhoty");

  now += 600;  // too late for a double click
  host.MouseDown({x_of(6), 250}, kLeft);
  host.MouseUp({x_of(6), 250}, kLeft);
  EXPECT_EQ(Marked(edit), "Jan No|vák z Lhoty");
  now += 200;
  host.MouseDown({x_of(6) + 1, 251}, kLeft);
  host.MouseUp({x_of(6) + 1, 251}, kLeft);
  EXPECT_EQ(Marked(edit), "Jan ^Novák| z Lhoty");
  now += 100;  // a third press is a single click again
  host.MouseDown({x_of(6), 250}, kLeft);
  EXPECT_EQ(Marked(edit), "Jan No|vák z Lhoty");
  host.MouseUp({x_of(6), 250}, kLeft);
  now += 100;
  host.MouseDown({x_of(3) + 1, 250}, kLeft);  // on the blank: the run of blanks
  host.MouseUp({x_of(3) + 1, 250}, kLeft);
  host.MouseDown({x_of(3) + 1, 250}, kLeft);
  EXPECT_EQ(Marked(edit), "Jan^ |Novák z Lhoty");

  // The selection shows as a band behind its letters, only while the field has the keyboard.
  host.Focus(edit);
  edit.Select(0, 3);
  edit.Draw(screen, fonts);
  EXPECT_EQ(screen.At(x_of(1), edit.bounds.top), To565(edit.selection_background));
  EXPECT_EQ(screen.At(x_of(5), edit.bounds.top), To565(edit.background));
  edit.focused = false;
  edit.Draw(screen, fonts);
  EXPECT_EQ(screen.At(x_of(1), edit.bounds.top), To565(edit.background));
}

TEST(EditControlTest, KeyReleasesReachTheHandlerAndClicksPlaceTheCaret) {
  Screen s;
  s.Click({300, 250});
  s.host.KeyDown(vk::kReturn, {});
  s.host.KeyUp(vk::kReturn);
  EXPECT_EQ(s.released, std::vector<int>{vk::kReturn});

  test::TestFonts fonts;
  Image565 screen(800, 600);
  s.edit.font.height_px = 33;
  s.edit.SetText("Neznamy");
  s.edit.Draw(screen, fonts);
  s.host.MouseDown({s.edit.bounds.left, 250}, kLeft);
  EXPECT_EQ(s.edit.caret, 0);
  s.host.MouseUp({s.edit.bounds.left, 250}, kLeft);
  s.host.MouseDown({s.edit.bounds.right - 1, 250}, kLeft);
  EXPECT_EQ(s.edit.caret, 7);
}

TEST(TrackBarTest, KeysMoveByLineAndPageAndStopAtTheEnds) {
  Screen s;
  s.Click(s.ThumbCentre());
  ASSERT_EQ(s.host.focus(), &s.bar);
  const std::pair<int, int> steps[] = {
      {vk::kRight, 6}, {vk::kDown, 7}, {vk::kLeft, 6}, {vk::kUp, 5},   {vk::kNext, 7},
      {vk::kPrior, 5}, {vk::kEnd, 40}, {vk::kEnd, 40}, {vk::kHome, 0}, {vk::kLeft, 0},
  };
  for (auto [key, expected] : steps) {
    s.host.KeyDown(key, {});
    EXPECT_EQ(s.bar.position(), expected) << "key " << key;
  }
  EXPECT_EQ(s.changes, 8) << "no report when the position stays";

  TrackBar game_speed;  // line step larger than the whole range
  game_speed.max = 5;
  game_speed.line_size = 8;
  game_speed.SetPosition(5);
  game_speed.KeyDown(vk::kRight, {});
  EXPECT_EQ(game_speed.position(), 5);
  game_speed.KeyDown(vk::kLeft, {});
  EXPECT_EQ(game_speed.position(), 0);
}

TEST(TrackBarTest, ClickBesideTheThumbPagesTowardsIt) {
  Screen s;
  const Rect t = s.bar.ThumbRect();
  s.Click({t.right + 30, t.top + 5});
  EXPECT_EQ(s.bar.position(), 7);
  s.Click({s.bar.bounds.left + 1, t.top + 5});
  EXPECT_EQ(s.bar.position(), 5);
  s.Click(s.ThumbCentre());
  s.host.MouseDown({t.right + 30, t.top + 5}, MouseButton::kRight);
  EXPECT_EQ(s.bar.position(), 5);
  EXPECT_EQ(s.changes, 2);
}

TEST(TrackBarTest, DragFollowsThePointerAndReportsEachChangeOnce) {
  Screen s;
  const Point start = s.ThumbCentre();
  s.host.MouseDown({start.x + 2, start.y}, kLeft);  // grabbing off-centre does not jump
  s.host.MouseMove({start.x + 2, start.y});
  EXPECT_EQ(s.changes, 0);

  std::vector<int> seen{s.bar.position()};
  for (int x = start.x; x < s.bar.bounds.right + 50; ++x) {
    s.host.MouseMove({x + 2, start.y + 40});
    if (s.bar.position() != seen.back()) seen.push_back(s.bar.position());
  }
  s.host.MouseUp({0, 0}, kLeft);
  EXPECT_EQ(s.bar.position(), 40);
  EXPECT_EQ(s.changes, 35);
  EXPECT_EQ(seen.size(), 36u) << "every position from 5 to 40 passed once";
  const int after = s.changes;
  s.host.MouseMove({start.x, start.y});
  EXPECT_EQ(s.changes, after) << "released: moves no longer drag";
}

TEST(TrackBarTest, ThumbStaysInsideTheBarAtBothEnds) {
  TrackBar bar;
  bar.bounds = {90, 200, 310, 240};
  bar.max = 5;
  for (int p : {-3, 0, 5, 9}) {
    bar.SetPosition(p);
    const Rect t = bar.ThumbRect();
    EXPECT_GE(t.left, bar.bounds.left);
    EXPECT_LE(t.right, bar.bounds.right);
    EXPECT_LE(t.bottom, bar.bounds.bottom);
  }
  EXPECT_EQ(bar.position(), 5);
  TrackBar empty_range;
  empty_range.min = empty_range.max = 3;
  empty_range.SetPosition(10);
  EXPECT_EQ(empty_range.position(), 3);
  empty_range.MouseDown({100, 10}, kLeft);
  EXPECT_EQ(empty_range.position(), 3);
}

}  // namespace
}  // namespace kv
