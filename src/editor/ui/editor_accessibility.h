// Plain accessibility for the views' editing components, in place of the component's own.
#pragma once

// The component's own accessible interface counts every character before the
// caret on each caret move (about 250 ms at the end of 10 MB), so typing in a
// large script would freeze. The views' components get a plain editable-text
// interface instead. Call once a component exists: the component installs its
// interface factory when the first one is made, and the one installed last wins.
void UsePlainEditorAccessibility();
