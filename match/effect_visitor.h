#pragma once

namespace match {

// Visits an effect with one lambda per kind: std::visit(EffectVisitor{[](const effect::Send&) {},
// ...}, effect).
template <class... Handlers>
struct EffectVisitor : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
EffectVisitor(Handlers...) -> EffectVisitor<Handlers...>;

}  // namespace match
