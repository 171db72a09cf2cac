// Accessibility of the views' editing components: their text, caret and selection for screen readers.
#pragma once

// The component's own accessible interface counts every character before the
// caret on each caret move (about 250 ms at the end of 10 MB). Ours answers
// character offsets through the component's per-line UTF-16 index, which it
// allocates only once a screen reader asks, so typing costs the same with or
// without a reader. Call once a component exists: the component installs its
// interface factory when the first one is made, and the one installed last wins.
void UseEditorAccessibility();
