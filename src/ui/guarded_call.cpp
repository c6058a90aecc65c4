#include "guarded_call.h"

#include <exception>
#include <string_view>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"

namespace fluxeta::ui {

namespace {
// What the error box says of an error that carries no message of its own.
constexpr std::string_view kUnknownError = "Unknown error";

void ShowErrorMessage(Presenter& presenter, std::string_view message) {
  presenter.ShowError(QString::fromStdString(base::messages::ErrorBoxText(message)));
}
}  // namespace

void GuardedCall(Presenter& presenter, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const base::FluxetaError& error) {
    ShowErrorMessage(presenter, error.message());  // whole, also past a NUL byte
  } catch (const std::exception& error) {
    ShowErrorMessage(presenter, error.what());
  } catch (...) {
    ShowErrorMessage(presenter, kUnknownError);
  }
}

}  // namespace fluxeta::ui
