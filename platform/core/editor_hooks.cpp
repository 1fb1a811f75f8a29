#include "core/editor_hooks.h"

namespace core {

namespace {

EditorHooks gNoEditor;
EditorHooks* gEditor = nullptr;

} // namespace

EditorHooks& editorHooks() {
    return gEditor ? *gEditor : gNoEditor;
}

EditorHooks* setEditorHooks(EditorHooks* hooks) {
    EditorHooks* previous = gEditor;
    gEditor = hooks;
    return previous;
}

} // namespace core
