// The actions (closures) that the application attaches to windows. An
// action may return nothing (the message gets the default handling), a
// number (the answer to Windows) or a logical (ends the message with 0).
// An empty action does nothing and answers nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace wl {

// The answer of an event method: nothing lets Windows do its default.
using Answer = std::optional<std::intptr_t>;

template <class... A>
class Action {
public:
    Action() = default;
    Action(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Action> &&
                                                std::is_invocable_v<std::decay_t<F>&, A...>>>
    Action(F fn) {
        using R = std::invoke_result_t<std::decay_t<F>&, A...>;
        if constexpr (std::is_void_v<R>) {
            fn_ = [f = std::move(fn)](A... a) mutable -> Answer {
                f(std::forward<A>(a)...);
                return std::nullopt;
            };
        } else if constexpr (std::is_same_v<std::decay_t<R>, bool>) {
            fn_ = [f = std::move(fn)](A... a) mutable -> Answer {
                (void)f(std::forward<A>(a)...);
                return 0;
            };
        } else if constexpr (std::is_same_v<std::decay_t<R>, Answer>) {
            fn_ = std::move(fn);
        } else {
            static_assert(std::is_integral_v<R> || std::is_enum_v<R>, "an action answers nothing, a number or a logical");
            fn_ = [f = std::move(fn)](A... a) mutable -> Answer {
                return static_cast<std::intptr_t>(f(std::forward<A>(a)...));
            };
        }
    }
    explicit operator bool() const { return static_cast<bool>(fn_); }
    Answer operator()(A... a) const { return fn_ ? fn_(std::forward<A>(a)...) : std::nullopt; }

private:
    std::function<Answer(A...)> fn_;
};

}  // namespace wl
