#include "driver/state_dump.h"

#include "app/application.h"
#include "driver/json_writer.h"
#include "app/main_form.h"
#include "ingame/hero.h"
#include "ingame/ingame.h"
#include "ingame/map.h"
#include "newgame/intro.h"
#include "newgame/newgame.h"
#include "platform/cp1250.h"
#include "platform/keys.h"

namespace kv {
namespace {

template <size_t N>
std::string Utf8(const char (&field)[N]) {
  return cp1250::ToUtf8(TextOf(field));
}

void WriteStats(JsonWriter& json, const TStat (&stats)[kStatCount]) {
  json.BeginArray();
  for (const TStat& s : stats) {
    json.BeginObject();
    json.Key("Name");
    json.Str(Utf8(s.Name));
    json.Key("Extra");
    json.Int(s.Extra);
    json.Key("Value");
    json.Int(s.Value);
    json.EndObject();
  }
  json.EndArray();
}

void WriteSkills(JsonWriter& json, const TSkill (&skills)[kSkillCount]) {
  json.BeginArray();
  for (const TSkill& s : skills) {
    json.BeginObject();
    json.Key("Name");
    json.Str(Utf8(s.Name));
    json.Key("Aptitude");
    json.Int(s.Aptitude);
    json.Key("Level");
    json.Int(s.Level);
    json.EndObject();
  }
  json.EndArray();
}

// The character fields the hero and the creation record share.
template <typename Sheet>
void WriteSheet(JsonWriter& json, const Sheet& sheet) {
  json.Key("Name");
  json.Str(Utf8(sheet.Name));
  json.Key("Profession");
  json.Int(sheet.Profession);
  json.Key("ProfessionName");
  json.Str(Utf8(sheet.ProfessionName));
  json.Key("Race");
  json.Int(sheet.Race);
  json.Key("RaceName");
  json.Str(Utf8(sheet.RaceName));
  json.Key("Portrait");
  json.Int(sheet.Portrait);
  json.Key("Stats");
  WriteStats(json, sheet.Stats);
  json.Key("Skills");
  WriteSkills(json, sheet.Skills);
}

void WriteHero(JsonWriter& json, const THero* hero) {
  if (!hero) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("CellX");
  json.Int(hero->CellX);
  json.Key("CellY");
  json.Int(hero->CellY);
  json.Key("PosX");
  json.Int(hero->PosX);
  json.Key("PosY");
  json.Int(hero->PosY);
  json.Key("Walking");
  json.Bool(hero->Walking);
  json.Key("OffsetX");
  json.Int(hero->OffsetX);
  json.Key("OffsetY");
  json.Int(hero->OffsetY);
  json.Key("Facing");
  json.Int(hero->Facing);
  json.Key("StepPhase");
  json.Int(hero->StepPhase);
  WriteSheet(json, *hero);
  json.EndObject();
}

void WriteIngame(JsonWriter& json, const TIngame* ingame) {
  if (!ingame) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("Active");
  json.Bool(ingame->Active);
  json.Key("SubScreen");
  json.Int(ingame->SubScreen);
  json.Key("BlinkPhase");
  json.Int(ingame->BlinkPhase);
  json.Key("PointerDirection");
  json.Int(ingame->PointerDirection);
  json.Key("ViewX");
  json.Int(ingame->ViewX);
  json.Key("ViewY");
  json.Int(ingame->ViewY);
  json.Key("Hero");
  WriteHero(json, ingame->Hero.get());
  json.Key("Map");
  if (ingame->Map) {
    json.BeginObject();
    json.Key("Name");
    json.Str(Utf8(ingame->Map->Name));
    json.EndObject();
  } else {
    json.Null();
  }
  json.EndObject();
}

void WriteNewgame(JsonWriter& json, const TNewgame* newgame) {
  if (!newgame) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("Active");
  json.Bool(newgame->Active);
  json.Key("Page");
  json.Int(newgame->Page);
  json.Key("KeptItem");
  json.Int(newgame->KeptItem);
  json.Key("HiddenItem");
  json.Int(newgame->HiddenItem);
  json.Key("IntroPage");
  json.Int(newgame->Intro ? newgame->Intro->Page : 0);
  json.Key("Character");
  json.BeginObject();
  WriteSheet(json, newgame->Character);
  json.EndObject();
  json.Key("InfoKind");
  json.Int(newgame->InfoKind);
  json.EndObject();
}

void WriteTrackBar(JsonWriter& json, const char* name, const TrackBar& bar) {
  json.Key(name);
  json.BeginObject();
  json.Key("Visible");
  json.Bool(bar.visible);
  json.Key("Position");
  json.Int(bar.position());
  json.EndObject();
}

}  // namespace

std::string StateDump(TMainF& form, const Application& app) {
  JsonWriter json;
  json.BeginObject();
  json.Key("Running");
  json.Bool(!app.ended());
  json.Key("Fullscreen");
  json.Bool(form.fullscreen());
  json.Key("Flips");
  json.Int(static_cast<long long>(form.DXDraw().flips()));
  json.Key("MenuScreen");
  json.Int(form.MenuScreen);
  json.Key("MenuHover");
  json.Int(form.MenuHover);
  json.Key("CreditsHover");
  json.Bool(form.CreditsHover);
  json.Key("Ingame");
  WriteIngame(json, form.Ingame.get());
  json.Key("Newgame");
  WriteNewgame(json, form.Newgame_.get());

  json.Key("Timer");
  json.BeginObject();
  json.Key("Enabled");
  json.Bool(form.DXTimer().Enabled());
  json.Key("MeasuredFrameRate");
  json.Int(form.DXTimer().MeasuredFrameRate());
  json.EndObject();

  json.Key("Cursor");
  json.BeginObject();
  json.Key("ShowCount");
  json.Int(form.platform().cursor_count());
  json.EndObject();

  // Where the pointer is and what the game controller holds: the stick and the A button move
  // and press what a mouse would.
  json.Key("Pointer");
  json.BeginObject();
  json.Key("X");
  json.Int(form.platform().PointerPosition().x);
  json.Key("Y");
  json.Int(form.platform().PointerPosition().y);
  json.Key("LeftButton");
  json.Bool(form.platform().KeyIsDown(vk::kLButton));
  json.EndObject();

  json.Key("Pad");
  json.BeginObject();
  json.Key("Connected");
  json.Bool(form.platform().pad().connected);
  json.EndObject();

  // The input states as the last poll left them: "up", "down", "left", "right", "button1" ...
  json.Key("DXInput");
  json.BeginObject();
  json.Key("States");
  json.BeginArray();
  constexpr const char* kDirections[] = {"up", "down", "left", "right"};
  for (int state = 0; state < kInputStateCount; ++state) {
    if (!form.DXInput.States()[state]) continue;
    json.Str(state < isButton1 ? std::string(kDirections[state])
                               : "button" + std::to_string(state - isButton1 + 1));
  }
  json.EndArray();
  json.EndObject();

  json.Key("Controls");
  json.BeginObject();
  json.Key("NEdit");
  json.BeginObject();
  json.Key("Visible");
  json.Bool(form.NEdit().visible);
  json.Key("Text");
  json.Str(cp1250::ToUtf8(form.NEdit().text));
  json.EndObject();
  WriteTrackBar(json, "SVolTrack", form.SVolTrack);
  WriteTrackBar(json, "MVolTrack", form.MVolTrack);
  WriteTrackBar(json, "HSpeedTrack", form.HSpeedTrack);
  WriteTrackBar(json, "GSpeedtrack", form.GSpeedtrack);
  json.EndObject();

  json.Key("Sounds");
  json.BeginArray();
  for (const std::string& name : form.sounds_played) json.Str(name);
  json.EndArray();

  json.Key("Errors");
  json.BeginArray();
  for (const std::string& message : app.errors()) json.Str(cp1250::ToUtf8(message));
  json.EndArray();

  json.EndObject();
  return json.str();
}

}  // namespace kv
