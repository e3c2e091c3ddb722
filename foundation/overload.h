#pragma once

namespace qs {

/// Combines lambdas into one visitor for std::visit over a record variant.
template <class... Ts>
struct Overload : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overload(Ts...) -> Overload<Ts...>;

}  // namespace qs
