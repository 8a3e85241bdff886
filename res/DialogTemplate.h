#pragma once
// Dialog templates as data: what the window framework builds a dialog from.
// Positions and sizes are in dialog units; the framework turns them into
// pixels through the template's font (which the dialog-font pattern may
// replace before the build).

#include <cstdint>
#include <vector>

namespace res {

enum class ControlKind {
  Static,
  Edit,
  PushButton,
  DefPushButton,
  GroupBox,
  CheckBox,
  RadioButton,
  ComboBox,  // drop-down (CS_DROPDOWN) or drop list (CS_DROPDOWNLIST, also when neither)
  ListBox,
  ListView,  // list control (report view when CS_REPORT)
  TreeView,  // tree control (check boxes when CS_CHECKBOXES)
  Tab,       // tab control
  Progress,  // progress bar
  ScrollBar,
  Icon,          // static picture of an icon resource (text = resource id as decimal)
  DateTime,      // date-time picker
  MaskedEdit,    // masked edit
  ReadOnlyEdit,  // read-only text of any length (multi-line, never wrapped)
  Custom
};

// Control style bits (our own, not the platform's values).
enum ControlStyle : uint64_t {
  CS_NONE = 0,
  CS_HIDDEN = 1u << 0,    // not visible initially
  CS_DISABLED = 1u << 1,  // disabled initially
  CS_TABSTOP = 1u << 2,
  CS_BORDER = 1u << 3,
  CS_READONLY = 1u << 4,
  CS_PASSWORD = 1u << 5,
  CS_MULTILINE = 1u << 6,
  CS_VSCROLL = 1u << 7,
  CS_HSCROLL = 1u << 8,
  CS_AUTOHSCROLL = 1u << 9,
  CS_AUTOVSCROLL = 1u << 10,
  CS_NUMBER = 1u << 11,     // edit: digits only
  CS_RIGHT = 1u << 12,      // text right-aligned
  CS_CENTER = 1u << 13,     // text centred
  CS_REPORT = 1u << 14,     // list control: report view
  CS_SINGLESEL = 1u << 15,  // list control: single selection
  CS_SHOWSELALWAYS = 1u << 16,
  CS_CHECKBOXES = 1u << 17,  // tree control with check boxes
  CS_GROUP = 1u << 18,       // first control of a group (radio buttons)
  CS_AUTO = 1u << 19,        // auto check box / auto radio button
  CS_CLIENTEDGE = 1u << 20,
  CS_SUNKEN = 1u << 21,
  CS_NOTIFY = 1u << 22,
  CS_WANTRETURN = 1u << 23,
  CS_LEFTTEXT = 1u << 24,  // button text left of the box
  CS_OWNERDRAW = 1u << 25,
  CS_VERTICAL = 1u << 26,      // scroll bar orientation
  CS_HASLINES = 1u << 27,      // tree lines and buttons
  CS_MODALFRAME = 1u << 28,    // double (modal-frame) border around the control
  CS_DROPDOWN = 1u << 29,      // combo box: an edit field with a drop-down list
  CS_DROPDOWNLIST = 1u << 30,  // combo box: a drop-down list without an edit field
  CS_CENTERIMAGE = 1u << 31,   // static: text centred from top to bottom
  CS_LEFT = 1ull << 32,        // button text left-aligned (with CS_RIGHT: centred)
  CS_PUSHLIKE = 1ull << 33,    // radio button that looks like a push button, down while checked
};

// Dialog style bits.
enum DialogStyle : uint32_t {
  DS_NONE = 0,
  DS_CAPTION = 1u << 0,     // caption bar
  DS_SYSMENU = 1u << 1,     // system menu (close box)
  DS_THICKFRAME = 1u << 2,  // sizing border
  DS_POPUP = 1u << 3,
  DS_CHILD = 1u << 4,
  DS_CLIENTEDGE = 1u << 5,
  DS_VISIBLE = 1u << 6,
  DS_MODALFRAME = 1u << 7,
  DS_MINIMIZEBOX = 1u << 8,
  DS_MAXIMIZEBOX = 1u << 9,
  DS_CONTROL = 1u << 10,  // child control dialog (tab or wizard page)
  DS_BORDER = 1u << 11,
};

struct ControlTemplate {
  int id;  // -1 for controls without an id (labels, group boxes)
  ControlKind kind;
  const char* text;  // UTF-8, never null ("" for none)
  uint64_t style;    // ControlStyle bits
  int x, y, cx, cy;  // dialog units
};

struct DialogTemplateData {
  unsigned id;
  const char* caption;  // UTF-8, "" for none
  int cx, cy;           // dialog units
  uint32_t style;       // DialogStyle bits
  const char* fontFace;
  int pointSize;
  std::vector<ControlTemplate> controls;
};

// The template of that id, or nullptr.
const DialogTemplateData* FindDialogTemplate(unsigned id);
std::vector<unsigned> AllDialogTemplateIds();

}  // namespace res
