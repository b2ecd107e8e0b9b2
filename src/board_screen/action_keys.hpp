#pragma once

// The action keys of the game, the editor and their dialogs, and how the legends show them.

#include "console/fixed_text.hpp"

#include <array>

namespace zk {

/// What a key other than the cursor and paint keys asks for.
enum class Action {
    check, ///< the game compares the drawing with the picture
    quit,  ///< leave the game or the editor, after the quit dialog
    save,  ///< the editor asks whether the work is finished, then saves it
    yes,   ///< a dialog's answer
    no,    ///< a dialog's answer
};

/// One action's key: the upper-case letter the legends show; its lower case works as well.
struct ActionKey {
    Action action;
    char letter;
};

/// Every action key.
inline constexpr std::array<ActionKey, 5> ACTION_KEYS{{
    {Action::check, 'C'},
    {Action::quit, 'Q'},
    {Action::save, 'Z'},
    {Action::yes, 'T'},
    {Action::no, 'N'},
}};

/// The letter the legends show for `action`.
constexpr char key_letter(Action action) {
    for (const ActionKey& key : ACTION_KEYS)
        if (key.action == action) return key.letter;
    throw "an action without a key";
}

/// True when key code `code` is `action`'s letter in either case.
constexpr bool is_action_key(int code, Action action) {
    const char letter = key_letter(action);
    return code == letter || code == letter - 'A' + 'a';
}

/// `pattern` with its '#' marks replaced, in order, by the letters of `actions`.
template <std::size_t N, typename... A>
constexpr FixedText<N - 1> key_text(const char (&pattern)[N], A... actions) {
    return fill_marks(pattern, key_letter(actions)...);
}

} // namespace zk
