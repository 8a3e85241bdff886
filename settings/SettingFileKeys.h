#pragma once
// Keys of the settings file (".rai"), shared by its writer and its reader.
// Files are also read by the logger's other tools: the spelling is fixed.

namespace settingfile {

// What the file dialogs offer.
inline constexpr char kExtension[] = "rai";
inline constexpr char kFileFilter[] = "Rain gauge setting info(*.rai)|*.rai||";

inline constexpr char kHeader[] = "[XEV_RAIN_GAUGE]";
inline constexpr char kDate[] = "DATE";
inline constexpr char kImei[] = "IMEI";
inline constexpr char kRainPerCount[] = "KXI_RAIN_MMPS";
inline constexpr char kBatteryStop[] = "BATTERY_ALART";
inline constexpr char kApName[] = "AP_NAME";
inline constexpr char kApUser[] = "AP_USER";
inline constexpr char kApPassword[] = "AP_PASS";
inline constexpr char kApAuth[] = "AP_AUTH";
inline constexpr char kRainAlarm[] = "ALM_RAIN";
inline constexpr char kMeasuring[] = "MES_ENABLE";
inline constexpr char kStart[] = "MES_START_TIME";
inline constexpr char kSampling[] = "MES_INTERVAL_TIME";
inline constexpr char kSendCount[] = "MES_INTERVAL_NUM";
inline constexpr char kSamplingEvent[] = "MES_INTERVAL_EVENT_TIME";
inline constexpr char kSendCountEvent[] = "MES_INTERVAL_EVENT_NUM";

}  // namespace settingfile
