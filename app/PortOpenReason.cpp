#include "app/PortOpenReason.h"

std::string PortOpenReason(platform::OpenError error, const std::string& group) {
  switch (error) {
    case platform::OpenError::Permission:
      if (group.empty()) return "このポートを使う権限がありません。";
      return "このポートを使う権限がありません。利用者をグループ「" + group +
             "」に加えてから、ログインし直してください。";
    case platform::OpenError::Busy:
      return "このポートはほかのプログラムが使用中です。";
    case platform::OpenError::NotFound:
      return "このポートが見つかりません。機器の接続を確かめてください。";
    default:
      return {};
  }
}
