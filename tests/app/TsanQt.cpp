// Qt is not built for the thread sanitizer: its own worker pools (image
// conversion, painting) synchronise through futexes the sanitizer cannot see,
// and the memory calls they make then look like races. Ignore what Qt's
// libraries do on their own threads; our code stays fully checked.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libQt6Widgets.so.6\n";
}
