// The tables of the wire tool: which signal kinds a block's output gives and
// a block's input pin takes, and which feedback loops a function-block
// diagram allows between the kinds of the two blocks a new link joins.
#pragma once

enum class SignalKind { kDigital, kAnalog, kConnector };

// The kind of signal the output of a block of this type gives.
SignalKind SourceSignalKind(int type);
// The kind of signal input pin `pin` of a block of this type takes.
SignalKind PinSignalKind(int type, int pin);
// Whether an output of one kind may drive an input of the other: equal kinds,
// or a connector half at either side.
bool AreKindsCompatible(SignalKind source, SignalKind pin);

// The loop table of function-block diagrams: row kind of the block at the
// fixed end (0..5), column kind of the target (0..5, 5 for every type not
// listed), and whether a loop closed between them is allowed. The table is
// not symmetric.
int LoopRowKind(int type);
int LoopColumnKind(int type);
bool IsLoopAllowed(int rowType, int columnType);
