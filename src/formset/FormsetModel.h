#pragma once
#include "SFieldError.h"
#include <concepts>
#include <optional>

// What a dialog edits: a plain copyable value, filled by the dialog's caller, changed by the
// controls on a copy and taken back only on OK. A model with rules between its fields or
// ranges of its values gives them as
//     std::optional<SFieldError> Validate() const;
// which reports the first field it refuses; the dialog keeps OK from closing while it does.
// Tested without any window.
template <class Model>
concept FormsetModel = std::copyable<Model>;

template <class Model>
concept ValidatedModel = FormsetModel<Model> && requires(const Model& model) {
    { model.Validate() } -> std::same_as<std::optional<SFieldError>>;
};
