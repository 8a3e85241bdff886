#include "sim/CommandHandler.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "link/IntelHex.h"
#include "link/SettingRules.h"
#include "sim/SimText.h"

namespace sim {
namespace {

constexpr const char* kYes = "YES END";
constexpr const char* kNotEnd = "NOT END";
constexpr const char* kFamilyTag = "KESTRX2";

SimReply Lines(std::initializer_list<SimLine> lines) {
  SimReply r;
  r.head = lines;
  return r;
}
SimReply Yes() { return Lines({{kYes}}); }
SimReply Refused() { return Lines({{kNotEnd}}); }
SimReply Ng() { return Lines({{"NG"}}); }

std::string Int(int64_t v) { return std::to_string(v); }

// "yy/mm/dd" and "hh:mm[:ss]" as the program sends a start time.
bool ParseStart(const std::string& date, const std::string& time, int64_t* out) {
  int f[6] = {0, 0, 0, 0, 0, 0};
  const auto two = [](const std::string& s, size_t at, int* v) {
    if (at + 2 > s.size() || !std::isdigit(static_cast<unsigned char>(s[at])) ||
        !std::isdigit(static_cast<unsigned char>(s[at + 1])))
      return false;
    *v = (s[at] - '0') * 10 + (s[at + 1] - '0');
    return true;
  };
  if (date.size() != 8 || date[2] != '/' || date[5] != '/') return false;
  if (!two(date, 0, &f[0]) || !two(date, 3, &f[1]) || !two(date, 6, &f[2])) return false;
  if ((time.size() != 5 && time.size() != 8) || time[2] != ':') return false;
  if (!two(time, 0, &f[3]) || !two(time, 3, &f[4])) return false;
  if (time.size() == 8 && (time[5] != ':' || !two(time, 6, &f[5]))) return false;
  return SimClock::FromFields(2000 + f[0], f[1], f[2], f[3], f[4], f[5], out);
}

// The zero-terminated strings in a record's data; an unterminated tail
// is no string.
void AppendHeaderStrings(const std::string& data, std::vector<std::string>* strings) {
  std::string current;
  for (char c : data) {
    if (c != '\0') {
      current += c;
    } else if (!current.empty()) {
      strings->push_back(current);
      current.clear();
    }
  }
}

std::string GroupedImei(const std::string& imei) {
  if (imei.size() != 15) return imei;
  return imei.substr(0, 2) + "-" + imei.substr(2, 6) + "-" + imei.substr(8, 6) + "-" + imei.substr(14);
}

}  // namespace

CommandHandler::CommandHandler() { Populate(1, 2500); }

void CommandHandler::Populate(int first, int count) {
  count = std::clamp(count, 0, m_records.Capacity());
  const int64_t now = m_clock.Now();
  const int64_t last = now - now % m_state.sampling;
  m_records.Fill(first, count, last, m_state.sampling);
  m_state.measuring = true;
  m_state.start = last - static_cast<int64_t>(std::max(count - 1, 0)) * m_state.sampling;
  m_state.next = last + m_state.sampling;
  m_state.errorLog = {SimClock::Format(m_state.start) + ",E01,POWER ON",
                      SimClock::Format(m_state.start + 86400) + ",E21,MAIL SEND FAILED",
                      SimClock::Format(last - 3600) + ",E05,LOW BATTERY"};
}

void CommandHandler::Advance() {
  if (!m_state.measuring || m_state.sampling <= 0) return;
  const int64_t now = m_clock.Now();
  if (now < m_state.next) return;
  // After a long pause only the records the memory can still hold are made.
  const int64_t due = (now - m_state.next) / m_state.sampling + 1;
  if (due > m_records.Capacity()) m_state.next += (due - m_records.Capacity()) * m_state.sampling;
  while (m_state.next <= now) {
    m_records.Append(m_state.next);
    m_state.next += m_state.sampling;
  }
}

SimReply CommandHandler::Handle(const std::string& line) {
  Advance();
  const std::string upper = ToUpper(line);
  const std::vector<std::string> tok = SplitBlanks(upper);
  if (tok.empty()) return SimReply();
  const std::string& cmd = tok[0];
  const std::string what = tok.size() > 1 ? tok[1] : std::string();
  if (upper == "HELLO") return Lines({{"WAKE"}, {m_state.ident + " Ver[" + m_state.version + "]"}});
  if (cmd == "RD") return Read(what, tok);
  if (cmd == "ST") return Set(what, tok);
  if (cmd == "ALM") return Alarm(tok);
  if (cmd == "MAIL") return Mail(line, tok);
  if (cmd == "BAT") {
    int mv = 0;
    if (tok.size() != 2 || !ParseInt(tok[1], &mv) || !CSettingRules::Contains(CSettingRules::kBatteryStop, mv)) {
      return Refused();
    }
    m_state.batteryStop = mv;
    return Yes();
  }
  if (cmd == "RCAL") {
    double v = 0;
    if (tok.size() != 2 || !ParseDouble(tok[1], &v) || v <= 0.0 || v > 2.0) return Refused();
    m_state.rainPerCount = v;
    return Yes();
  }
  if (upper == "RCLR") {
    m_state.rainMm = 0.0;
    return Yes();
  }
  return Inspect(upper, line);
}

SimReply CommandHandler::Read(const std::string& what, const std::vector<std::string>& tok) {
  if (what == "SYS" && tok.size() == 2) return ReadSys();
  if (what == "ALL") return ReadAll(tok);
  if (tok.size() != 2) return Ng();
  if (what == "ERR") {
    SimReply r = Lines({{"OK"}});
    for (const std::string& e : m_state.errorLog) r.head.push_back({e});
    r.head.push_back({kYes});
    return r;
  }
  if (what == "REL") {
    char id[16];
    std::snprintf(id, sizeof id, "%05d", m_records.LastNumber());
    return Lines(
        {{"OK"},
         {std::string(id) + "," + SimClock::Format(m_clock.Now()) + "," + FormatFixed(m_state.batteryMv / 1000.0, 2) +
          "," + FormatFixed(m_state.rainMm, 1) + "," + Int(m_state.sampling / 60)},
         {kYes}});
  }
  if (what == "ANT") return Lines({{"OK"}, {"ANT " + Int(m_state.antenna), kModuleMs}, {kYes}});
  return Ng();
}

SimReply CommandHandler::ReadAll(const std::vector<std::string>& tok) {
  int start = m_records.FirstNumber();
  int count = m_records.Count();
  if (tok.size() > 4) return Ng();
  if (tok.size() >= 3) {
    if (!ParseInt(tok[2], &start) || start < 0 || start >= RecordRing::kNumbers) return Ng();
    // Without a count the download runs to the newest record.
    count = (m_records.LastNumber() - start + RecordRing::kNumbers) % RecordRing::kNumbers + 1;
  }
  if (tok.size() == 4 && (!ParseInt(tok[3], &count) || count <= 0)) return Ng();
  SimReply r = Lines({{"OK"}});
  r.download = true;
  r.records = m_records.Select(start, count);
  r.tail.push_back({kYes});
  return r;
}

SimReply CommandHandler::ReadSys() {
  const SimState& s = m_state;
  const int64_t now = m_clock.Now();
  SimReply r;
  r.head.push_back({s.measuring ? "MEASURING" : "STOP"});
  r.head.push_back({"STM " + SimClock::Format(s.start)});
  r.head.push_back({"TIM " + SimClock::Format(now)});
  r.head.push_back({"NEX " + SimClock::Format(s.measuring ? s.next : s.start)});
  r.head.push_back({"SMP " + FormatDuration(s.sampling)});
  r.head.push_back({"SMP2 " + FormatDuration(s.samplingEvent)});
  r.head.push_back({"ITV " + Int(s.sendCount)});
  r.head.push_back({"ITV2 " + Int(s.sendCountEvent)});
  r.head.push_back({"BAT ALM " + Int(s.batteryStop)});
  r.head.push_back(
      {"ID " + Int(m_records.FirstNumber()) + "-" + Int(m_records.LastNumber()) + " (" + Int(m_records.Count()) + ")"});
  for (const SimAlarm& a : s.alarm)
    r.head.push_back({"ALM RN " + Int(a.no) + " " + FormatFixed(a.threshold, 2) + " " + FormatHourMinutes(a.period) +
                      (a.on ? " ON" : " OFF")});
  r.head.push_back({"CAL RN " + FormatFixed(s.rainPerCount, 2)});
  r.head.push_back({"BLD " + s.build});
  r.head.push_back({"SN " + s.serial});
  r.head.push_back({kYes});
  return r;
}

SimReply CommandHandler::Set(const std::string& what, const std::vector<std::string>& tok) {
  const std::string arg = tok.size() == 3 ? tok[2] : std::string();
  int v = 0;
  if (what == "STM") return SetStart(tok);
  if (tok.size() == 2) {
    if (what == "STP") {
      m_state.measuring = false;
      return Yes();
    }
    if (what == "CLR") {
      // Clearing the memory also ends the schedule.
      m_records.Clear();
      m_state.errorLog.clear();
      m_state.measuring = false;
      return Yes();
    }
    if (what == "RES") {
      FactoryReset();
      return Yes();
    }
    return Ng();
  }
  if (what == "SMP" || what == "SMP2") {
    if (tok.size() != 3 || !ParseDuration(arg, &v) || v < 60 || v > 864000) return Refused();
    (what == "SMP" ? m_state.sampling : m_state.samplingEvent) = v;
    return Yes();
  }
  if (what == "ITV" || what == "ITV2") {
    if (tok.size() != 3 || !ParseInt(arg, &v) || v < 0 || v > 9999) return Refused();
    (what == "ITV" ? m_state.sendCount : m_state.sendCountEvent) = v;
    return Yes();
  }
  if (what == "RSS" || what == "IDL" || what == "AVG") {
    if (tok.size() != 3 || !ParseInt(arg, &v)) return Refused();
    (what == "RSS" ? m_state.rss : what == "IDL" ? m_state.idle : m_state.average) = v;
    return Yes();
  }
  if (what == "CAL" && tok.size() == 4 && tok[2] == "AV") {
    m_state.calibration = tok[3];
    return Yes();
  }
  // The terminal's sleep command: the logger acknowledges and dozes off.
  if (what == "D00" && arg == "SLP") return Yes();
  return Ng();
}

SimReply CommandHandler::SetStart(const std::vector<std::string>& tok) {
  if (tok.size() == 2) {
    StartMeasuring(m_clock.Now());
    return Yes();
  }
  int64_t start = 0;
  if (tok.size() != 4 || !ParseStart(tok[2], tok[3], &start)) return Refused();
  StartMeasuring(start);
  return Yes();
}

void CommandHandler::StartMeasuring(int64_t start) {
  m_state.measuring = true;
  m_state.start = start;
  m_state.next = start;
  // A start in the past keeps its rhythm: the first measurement is the next
  // instant of the schedule from now on.
  const int64_t now = m_clock.Now();
  if (m_state.next < now)
    m_state.next += (now - m_state.next + m_state.sampling - 1) / m_state.sampling * m_state.sampling;
}

void CommandHandler::FactoryReset() {
  m_state.ResetSettings();
  m_state.errorLog.clear();
  m_state.inspecting = false;
  m_state.monitoring = false;
  m_state.imageLines = 0;
  m_state.imageHeader.clear();
  m_records.Clear();
}

SimReply CommandHandler::Alarm(const std::vector<std::string>& tok) {
  int no = 0;
  if (tok.size() < 4 || tok[1] != "RN" || !ParseInt(tok[2], &no) || (no != 1 && no != 2)) return Refused();
  SimAlarm& a = m_state.alarm[no - 1];
  if (tok.size() == 4 && (tok[3] == "ON" || tok[3] == "OFF")) {
    a.on = tok[3] == "ON";
    return Yes();
  }
  double threshold = 0;
  int period = 0;
  if (tok.size() != 5 || !ParseDouble(tok[3], &threshold) || !ParseHourMinutes(tok[4], &period) || threshold < 0.01 ||
      threshold > 999.99 || period < 1 || period > 14400)
    return Refused();
  a.no = no;
  a.threshold = threshold;
  a.period = period;
  return Yes();
}

SimReply CommandHandler::Mail(const std::string& line, const std::vector<std::string>& tok) {
  const std::string what = tok.size() > 1 ? tok[1] : std::string();
  if (what == "APN" || what == "APU" || what == "APP" || what == "APA") return MailValue(what, line);
  if (tok.size() == 2 && what == "DSP") {
    const SimState& s = m_state;
    SimReply r;
    const std::pair<const char*, const std::string*> items[] = {
        {"APN", &s.apn},       {"APU", &s.user},  {"APP", &s.password}, {"APA", &s.auth}, {"IMEI", &s.imei},
        {"MYDIAL", &s.myDial}, {"HOST", &s.host}, {"PORT", &s.port},    {"POST", &s.post}};
    for (const auto& [key, value] : items) r.head.push_back({value->empty() ? key : key + (" " + *value)});
    r.head.push_back({kYes});
    return r;
  }
  if (tok.size() == 2 && what == "IMEI") {
    if (m_state.imei.empty()) return Lines({{"OK"}, {"NG", kModuleMs}});
    return Lines({{"OK"}, {"IMEI:" + GroupedImei(m_state.imei), kModuleMs}, {kYes}});
  }
  if (what == "INI" && tok.size() <= 3) {
    if (tok.size() == 3) {
      // The module's preset carrier profiles.
      if (tok[2] != "IIJ" && tok[2] != "MDAP") return Ng();
      const std::string p = tok[2] == "IIJ" ? "iij" : "mdap";
      m_state.apn = p + ".apn.example";
      m_state.user = p;
      m_state.password = p;
      m_state.auth = "CHAP";
    }
    return Lines({{"OK"}, {"MODULE INIT"}, {"MODULE READY", kModuleMs}, {kYes}});
  }
  if (tok.size() == 2 && what == "TIME") {
    m_clock.Set(SimClock::HostNow());
    return Lines({{"OK"}, {"NTP SYNC", kModuleMs}, {"TIM " + SimClock::Format(m_clock.Now())}, {kYes}});
  }
  if (tok.size() == 2 && what == "START")
    return Lines({{"OK"}, {"MAIL SEND START"}, {"MAIL SEND OK", 2 * kModuleMs}, {kYes}});
  return Ng();
}

SimReply CommandHandler::MailValue(const std::string& key, const std::string& line) {
  // The value is everything after the one blank behind the key, so a key
  // followed by a lone blank clears the value as the key alone does.
  const auto at = ToUpper(line).find(key);
  std::string value = line.substr(at + key.size());
  if (!value.empty()) value.erase(0, 1);
  if (value == " ") value.clear();
  if (value.size() > 63) return Refused();
  if (key == "APA") {
    const std::string u = ToUpper(value);
    if (!u.empty() && u != "NONE" && u != "PAP" && u != "CHAP") return Refused();
  }
  (key == "APN" ? m_state.apn : key == "APU" ? m_state.user : key == "APP" ? m_state.password : m_state.auth) = value;
  return Yes();
}

SimReply CommandHandler::Inspect(const std::string& upper, const std::string& line) {
  SimState& s = m_state;
  if (upper == "INSPECT ON" || upper == "INSPECT OFF") {
    s.inspecting = upper == "INSPECT ON";
    if (!s.inspecting) s.monitoring = false;
    return Yes();
  }
  // Everything below exists only in inspection mode.
  if (!s.inspecting) return Ng();
  if (upper == "SRAMCLR") {
    s.imageLines = 0;
    s.imageHeader.clear();
    return Lines({{"OK"}});
  }
  if (upper == "MONITOR") {
    s.monitoring = true;
    return Lines({{"OK"}});
  }
  if (!line.empty() && line[0] == ':') {
    intelhex::Record record;
    if (!s.monitoring || !intelhex::ParseRecord(line, &record)) return Ng();
    // The first two records carry the image's header strings.
    if (s.imageLines < 2) AppendHeaderStrings(record.data, &s.imageHeader);
    ++s.imageLines;
    return Lines({{"OK"}});
  }
  if (upper == "WEEP") {
    if (!s.monitoring || s.imageLines == 0) return Ng();
    // The logger restarts from the new program once it is written, and then
    // reports the version that the image's header names after the family tag.
    if (s.imageHeader.size() >= 2 && s.imageHeader[0] == kFamilyTag) s.version = s.imageHeader[1];
    s.inspecting = false;
    s.monitoring = false;
    s.imageLines = 0;
    return Lines({{"FLASH writing"}, {"OK", kFlashWriteMs}});
  }
  if (upper == "SYSINIT") {
    s.ResetSettings();
    return Lines({{"OK"}});
  }
  if (upper == "DBG MTCOFF") {
    s.moduleOn = false;
    s.moduleAwake = false;
    return Yes();
  }
  if (upper == "DBG MTCON") {
    // The module boots, finds nothing to do and announces its sleep.
    s.moduleOn = true;
    s.moduleAwake = false;
    return Lines({{kYes}, {"#>RX:$SLEEP", kModuleMs}});
  }
  if (upper == "MON") {
    if (!s.moduleOn) return Ng();
    s.moduleAwake = true;
    return Lines({{"#>RX:$WAKEUP", kModuleMs / 2}});
  }
  if (upper == "AT$VER") {
    if (!s.moduleAwake) return Lines({{"*>RX:ERROR"}});
    return Lines({{"#>RX:$VER:" + s.moduleVersion}});
  }
  if (upper == "MOFF") {
    const bool wasAwake = s.moduleAwake;
    s.moduleAwake = false;
    if (!wasAwake) return Yes();
    return Lines({{kYes}, {"#>RX:$SLEEP", kModuleMs / 2}});
  }
  return Ng();
}

}  // namespace sim
