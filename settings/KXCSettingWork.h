#pragma once
// Entry of the settings transfer: the item tree, the wizard and the settings
// file. It keeps no state; callers make one on the stack for one operation.

class CKXCSettingWork {
 public:
  CKXCSettingWork() = default;
  virtual ~CKXCSettingWork();
};
