#include "skin/core/options_reader.h"

#include <algorithm>
#include <unordered_map>

#include "base/skin_error.h"
#include "base/color_convert.h"
#include "skin/core/gradient_data.h"
#include "skin/core/value_parse.h"

namespace glyphora {

namespace {

constexpr std::string_view kGlobal = "GLOBALINFO";

std::string UpperName(std::string_view s) {
  std::string u(s);
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return u;
}

// A gradient word that is not a number aborts the load like any other
// invalid integer of the options text.
void ParseGradient(std::string_view text, TsGradArray& pieces) {
  try {
    ParseGradientData(text, pieces);
  } catch (const EGradientError& e) {
    throw EConvertError(e.what());
  }
}

int16_t Low16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// Walks a section and its ancestors; fn returns true when it found the key.
// The walk ends after kMaxParentDepth steps: a cycle of parents visits the
// same sections again, which answer "missing" again, so it ends as missing
// without a list of visited sections (that would cost the square of the depth).
template <class Fn>
bool WalkAncestors(const TIniText& ini, const TIniSection* cur, Fn fn) {
  bool own = true;
  for (size_t count = 1; cur; ++count) {
    if (fn(*cur, own)) return true;
    std::string_view parent = ParentOf(*cur);
    if (parent.empty() || count > kMaxParentDepth) break;
    const TIniSection* next = ini.FindSection(parent);
    if (next == cur) break;
    cur = next;
    own = false;
  }
  return false;
}

}  // namespace

std::string_view ParentOf(const TIniSection& section) {
  const std::string_view* p = section.Find("PARENTCLASS");
  if (!p || p->empty() || *p == "?" || *p == section.Name) return {};
  return *p;
}

namespace {

int32_t InheritedInt(const TIniText& ini, const TIniSection* section, std::string_view key, int32_t def) {
  int32_t result = -1;
  WalkAncestors(ini, section, [&](const TIniSection& s, bool own) {
    const std::string_view* v = s.Find(key);
    int32_t n = v ? StrToIntDef(*v, -1) : -1;
    if (n == -1) return false;
    result = own ? n : static_cast<int32_t>(ColorToRGB(static_cast<TColor>(n)));
    return true;
  });
  return result == -1 ? def : result;
}

// A view into the options text (or def).
std::string_view InheritedString(const TIniText& ini, const TIniSection* section, std::string_view key,
                                 std::string_view def) {
  std::string_view result(def);
  WalkAncestors(ini, section, [&](const TIniSection& s, bool) {
    const std::string_view* v = s.Find(key);
    if (!v || *v == "?") return false;
    result = *v;
    return true;
  });
  return result;
}

bool InheritedBool(const TIniText& ini, const TIniSection* section, std::string_view key) {
  bool result = false;
  WalkAncestors(ini, section, [&](const TIniSection& s, bool) {
    const std::string_view* v = s.Find(key);
    if (!v || *v == "?") return false;
    static constexpr std::string_view kTrue = "TRUE";
    result = *v == "1" || (v->size() == 4 && std::equal(v->begin(), v->end(), kTrue.begin(), [](char a, char b) {
                             return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b;
                           }));
    return true;
  });
  return result;
}

}  // namespace

int32_t ReadInheritedInt(const TIniText& ini, std::string_view section, std::string_view key, int32_t def) {
  return InheritedInt(ini, ini.FindSection(section), key, def);
}

std::string ReadInheritedString(const TIniText& ini, std::string_view section, std::string_view key,
                                std::string_view def) {
  return std::string(InheritedString(ini, ini.FindSection(section), key, def));
}

bool ReadInheritedBool(const TIniText& ini, std::string_view section, std::string_view key) {
  return InheritedBool(ini, ini.FindSection(section), key);
}

void ReadSkinData(const TIniText& ini, TsSkinData& d) {
  const TIniSection* g = ini.FindSection(kGlobal);
  auto raw = [&](std::string_view key) { return g ? g->Find(key) : nullptr; };
  auto num = [&](std::string_view key, int32_t def) {
    const std::string_view* v = raw(key);
    return v ? StrToIntDef(*v, def) : def;
  };
  auto strict = [&](std::string_view key, int32_t def) {
    const std::string_view* v = raw(key);
    return Low16(v ? StrToIntStrict(*v) : def);
  };
  auto str = [&](std::string_view key) {
    const std::string_view* v = raw(key);
    return v ? std::string(*v) : std::string();
  };
  const std::string_view* ver = raw("VERSION");
  d.Version = ver ? StrToFloatDef(*ver, 0) : 0;
  d.Author = str("AUTHOR");
  d.Description = str("DESCRIPTION");
  d.Shadow1Color = static_cast<TColor>(num("SHADOW1COLOR", 0));
  d.Shadow1Offset = strict("SHADOW1OFFSET", 0);
  d.Shadow1Blur = strict("SHADOW1BLUR", -1);
  d.Shadow1Transparency = strict("SHADOW1TRANSPARENCY", 0);
  d.ExBorderWidth = Low16(num("BORDERWIDTH", 4));
  d.ExTitleHeight = Low16(num("TITLEHEIGHT", 30));
  d.ExMaxHeight = Low16(num("MAXHEIGHT", 0));
  if (d.ExMaxHeight == 0) d.ExMaxHeight = d.ExTitleHeight;
  d.ExContentOffs = Low16(num("FORMOFFSET", 8));
  d.ExShadowOffs = Low16(num("ALIGNOFFSET", 0));
  d.ExCenterOffs = Low16(num("CENTEROFFSET", 0));
  d.ExDrawMode = Low16(num("BORDERMODE", 0));
  d.BorderColor = static_cast<TColor>(num("BORDERCOLOR", 0));
  d.BISpacing = Low16(num("BISPACE", 0));
  d.BIVAlign = Low16(num("BIVALIGN", 0));
  d.BIRightMargin = Low16(num("BIRIGHT", 0));
  d.BILeftMargin = Low16(num("BILEFT", 0));
  d.BITopMargin = Low16(num("BITOP", 0));
  d.BIKeepHUE = Low16(num("BIKEEPHUE", 0));
  d.BICloseGlow = strict("BICONCLOSEGLOW", 0);
  d.BICloseGlowMargin = strict("BICONCLOSEGLOWMARGIN", 0);
  d.BIMaxGlow = strict("BICONMAXGLOW", 0);
  d.BIMaxGlowMargin = strict("BICONMAXGLOWMARGIN", 0);
  d.BIMinGlow = strict("BICONMINGLOW", 0);
  d.BIMinGlowMargin = strict("BICONMINGLOWMARGIN", 0);
}

namespace {

// Copies a state's values into a property set; the gradient is shared, not copied.
void AssignState(TsGenState& st, TColor color, const TsFontColor& font, int32_t gradientPercent,
                 const TSharedText& gradientData, const TSharedGradient& gradient, int32_t imagePercent,
                 TColor glowColor, uint8_t glowSize, int32_t transparency) {
  st.Color = color;
  st.FontColor = font;
  st.GradientPercent = gradientPercent;
  st.GradientData = gradientData;
  st.GradientArray = gradient;
  st.ImagePercent = imagePercent;
  st.GlowColor = glowColor;
  st.GlowSize = glowSize;
  st.Transparency = transparency;
}

// Gradient texts at least this long are read once and shared by every
// section that has the same text from the same line (its own key, or one
// inherited from an ancestor); shorter ones are cheap to copy.
constexpr size_t kSharedGradientText = 256;

// The gradients of one reading of the options text, by the text's position.
class TGradientReader {
 public:
  explicit TGradientReader(TLoadBudget* budget) : budget_(budget) {}

  // Sets text and pieces from the value, or none when it is shorter than two
  // characters (then the gradient share is 0).
  void Read(std::string_view value, TSharedText& text, TSharedGradient& pieces, int32_t& percent) {
    if (value.size() >= kSharedGradientText) {
      auto it = shared_.find(value.data());
      if (it != shared_.end() && it->second.text.size() == value.size()) {
        text = it->second.text;
        pieces = it->second.pieces;
        return;
      }
    }
    if (budget_)  // the text and at most one piece per nine characters ("0;0;0;0;0")
      budget_->Charge(value.size() + (value.size() / 9 + 1) * sizeof(TsGradPie));
    text.Mutable().assign(value);
    if (value.size() < 2) {
      percent = 0;
      pieces.Mutable().clear();
    } else {
      ParseGradient(value, pieces.Mutable());
    }
    if (value.size() >= kSharedGradientText) shared_[value.data()] = {text, pieces};
  }

 private:
  struct TEntry {
    TSharedText text;
    TSharedGradient pieces;
  };
  TLoadBudget* budget_;
  std::unordered_map<const char*, TEntry> shared_;
};

// One section's record. Every field is assigned, so a record of an earlier
// load can be reused; its strings and arrays keep their memory.
void ReadSection(const TIniText& ini, const TIniSection& sec, TsGeneralData& g, TGradientReader& gradients) {
  const std::string_view s = sec.Name;
  // A repeated section name reads the first section of that name.
  const TIniSection* first = ini.FindSection(s);
  auto i32 = [&](std::string_view key, int32_t def) { return InheritedInt(ini, first, key, def); };
  auto color = [&](std::string_view key, int32_t def) {
    return static_cast<TColor>(InheritedInt(ini, first, key, def));
  };
  auto fontColor = [&](std::string_view c, std::string_view l, std::string_view t, std::string_view r,
                       std::string_view b) {
    return TsFontColor{color(c, 0), color(l, -1), color(t, -1), color(r, -1), color(b, -1)};
  };
  // The property sets let go of the gradients first, so that the record's
  // own ones are not shared and keep their memory when read again.
  for (TsGenState& st : g.Props) {
    st.GradientData = TSharedText();
    st.GradientArray = TSharedGradient();
  }
  g.ClassName.assign(s);
  const std::string_view* parent = first->Find("PARENTCLASS");
  g.ParentClass.assign(parent ? *parent : std::string_view());
  g.Color = ColorToRGB(color("COLOR", 0xFFFFFF));
  g.Transparency = i32("TRANSPARENCY", 0);
  g.GradientPercent = i32("GRADIENTPERCENT", 0);
  g.ImagePercent = i32("IMAGEPERCENT", 0);
  g.FontColor = fontColor("FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM");
  g.GiveOwnFont = InheritedBool(ini, first, "GIVEOWNFONT");
  g.ReservedBoolean = InheritedBool(ini, first, "RESERVEDBOOLEAN");
  g.ShowFocus = InheritedBool(ini, first, "SHOWFOCUS");
  g.FadingEnabled = InheritedBool(ini, first, "FADINGENABLED");
  g.FadingIterations = i32("FADINGITERATIONS", 5);
  g.GlowCount = i32("GLOW", 0);
  g.GlowMargin = i32("GLOWMARGIN", 0);
  g.GlowColor = ColorToRGB(color("GCOL", 0xFFFFFF));
  g.GlowSize = static_cast<uint8_t>(i32("GSIZE", 0));
  gradients.Read(InheritedString(ini, first, "GRADIENTDATA", " "), g.GradientData, g.GradientArray,
                 g.GradientPercent);
  AssignState(g.Props[0], g.Color, g.FontColor, g.GradientPercent, g.GradientData, g.GradientArray,
              g.ImagePercent, g.GlowColor, g.GlowSize, g.Transparency);

  // Image indexes are resolved after the images are indexed.
  g.BorderIndex = g.ImgTL = g.ImgTR = g.ImgBL = g.ImgBR = -1;

  g.States = i32("STATES", 4);
  if (g.States >= 2) {
    g.HotColor = color("HOTCOLOR", 0xFFFFFF);
    g.HotTransparency = i32("HOTTRANSPARENCY", 0);
    g.HotGradientPercent = i32("HOTGRADIENTPERCENT", 0);
    g.HotImagePercent = i32("HOTIMAGEPERCENT", 0);
    g.HotFontColor = fontColor("HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM");
    g.HotGlowColor = ColorToRGB(color("HGCOL", 0xFFFFFF));
    g.HotGlowSize = static_cast<uint8_t>(i32("HGSIZE", 0));
    gradients.Read(InheritedString(ini, first, "HOTGRADIENTDATA", ""), g.HotGradientData, g.HotGradientArray,
                   g.HotGradientPercent);
    AssignState(g.Props[1], g.HotColor, g.HotFontColor, g.HotGradientPercent, g.HotGradientData,
                g.HotGradientArray, g.HotImagePercent, g.HotGlowColor, g.HotGlowSize, g.HotTransparency);
  } else {
    // A one-state section keeps the defaults of the hot values.
    g.HotColor = 0xFFFFFF;
    g.HotTransparency = 0;
    g.HotGradientPercent = 0;
    g.HotGradientData.Mutable().clear();
    g.HotGradientArray.Mutable().clear();
    g.HotImagePercent = 0;
    g.HotFontColor = TsFontColor();
    g.HotGlowColor = 0xFFFFFF;
    g.HotGlowSize = 0;
    g.Props[1] = g.Props[0];
  }
}

}  // namespace

void ReadGeneralData(const TIniText& ini, std::vector<TsGeneralData>& gd, TLoadBudget* budget) {
  const size_t n = ini.Sections().size();
  if (budget && n > gd.size()) budget->Charge((n - gd.size()) * sizeof(TsGeneralData));
  gd.resize(n);
  TGradientReader gradients(budget);
  for (size_t i = 0; i < n; ++i) ReadSection(ini, ini.Sections()[i], gd[i], gradients);
}

std::vector<TsGeneralData> ReadGeneralData(const TIniText& ini) {
  std::vector<TsGeneralData> gd;
  ReadGeneralData(ini, gd);
  return gd;
}

std::string RemoveCommonSpaces(std::string_view text) {
  std::string cleaned;
  cleaned.reserve(text.size());
  bool lineStart = true, comment = false;
  for (char c : text) {
    if (lineStart) comment = c == ';';
    lineStart = c == '\n' || c == '\r';
    if (c == ' ' && !comment) continue;
    cleaned.push_back(c);
  }
  return cleaned;
}

std::string MergeCommonSections(const TIniText& skin, std::string_view commonText) {
  TIniText common(RemoveCommonSpaces(commonText));

  std::string out;
  auto emit = [&](std::string_view name, std::span<const TIniKey> keys) {
    out.append("[").append(name).append("]\n");
    for (const auto& [k, v] : keys) out.append(k).append("=").append(v).append("\n");
  };
  for (const TIniSection& sec : skin.Sections()) {
    const TIniSection* over = &sec == skin.FindSection(sec.Name) ? common.FindSection(sec.Name) : nullptr;
    if (!over) {
      emit(sec.Name, sec.Keys);
      continue;
    }
    std::vector<TIniKey> keys(sec.Keys.begin(), sec.Keys.end());
    for (const auto& kv : over->Keys) {
      auto it = std::find_if(keys.begin(), keys.end(), [&](const auto& own) { return own.first == kv.first; });
      if (it != keys.end())
        it->second = kv.second;
      else
        keys.push_back(kv);
    }
    emit(sec.Name, keys);
  }
  for (const TIniSection& sec : common.Sections()) {
    if (skin.FindSection(sec.Name) || &sec != common.FindSection(sec.Name)) continue;
    std::vector<TIniKey> keys(sec.Keys.begin(), sec.Keys.end());
    std::string parent;
    for (auto& kv : keys) {
      if (kv.first != "PARENTCLASS") continue;
      for (const TIniSection& s : skin.Sections())
        if (s.Name.size() == kv.second.size() && UpperName(s.Name) == UpperName(kv.second)) {
          parent = std::string(s.Name);
          break;
        }
      if (!parent.empty()) kv.second = parent;
    }
    emit(sec.Name, keys);
  }
  return out;
}

TSkinVersionCheck CheckSkinVersion(double v) {
  if (v >= 7.0 && v <= 7.99) return TSkinVersionCheck::Ok;
  return v > 7.99 ? TSkinVersionCheck::Newer : TSkinVersionCheck::Older;
}

std::string SkinVersionMessage(TSkinVersionCheck check, std::string_view skinName) {
  switch (check) {
    case TSkinVersionCheck::Ok: return {};
    case TSkinVersionCheck::Newer:
      return "This skin was made for a newer release of the skinning components. "
             "Some parts of it may not look as intended.";
    case TSkinVersionCheck::Older:
      return "The skin \"" + std::string(skinName) +
             "\" is an old version. Please update it to the current skin format.";
  }
  return {};
}

}  // namespace glyphora
