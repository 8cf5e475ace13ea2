#pragma once
// The controls as Qt's accessibility sees them: one interface per control that a
// screen reader meets, one per list item. Only the toolkit and tools include this.

class QAccessibleEvent;
class QAccessibleInterface;
class TControl;

// Makes Qt ask us for the interfaces of our windows. Done once, before windows exist.
void InstallAccessibleObjects();

// The control an interface describes; null for a list item and for what is not ours.
TControl* AccessibleControl(QAccessibleInterface* iface);

// Every announcement also goes to `observer` (none: null), even while no screen reader
// listens and Qt keeps them to itself.
void SetAccessibleObserver(void (*observer)(QAccessibleEvent* event));
