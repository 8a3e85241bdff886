#pragma once
// Qt key codes and the platform's virtual-key codes.

// The virtual key of a Qt key (Qt::Key), 0 when it has none.
int QtKeyToVirtualKey(int qtKey);
// The Qt key of a virtual key, 0 when it has none.
int VirtualKeyToQtKey(int virtualKey);
