#pragma once
// The record kinds of the fact store and the compound types of the term
// syntax, each described once: its name in the text form and its fields in
// order. The term reader and the store both use these descriptions.

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

namespace qs {

/// Describes a compound alternative: Kind<T>::name and Kind<T>::fields (a
/// tuple of member pointers in text-form order).
template <class T>
struct Kind;

#define QS_KIND(Type, Name, ...)                                      \
  template <>                                                         \
  struct Kind<Type> {                                                 \
    static constexpr std::string_view name = Name;                    \
    static constexpr auto fields = std::make_tuple(__VA_ARGS__);      \
  }

using Slist = std::vector<std::string>;

/// g(Name, Value): a variable binding.
struct Binding {
  std::string name;
  std::string value;
  bool operator==(const Binding&) const = default;
};
QS_KIND(Binding, "g", &Binding::name, &Binding::value);
using BindingList = std::vector<Binding>;

// ---- settingsfacts ----
struct Quiet {};
struct Create {};
struct FragmentFolder { std::string folder; };
struct BuildFolder { std::string folder; };
struct Delimiters { std::string open, close; };
struct Mark { std::string begin, end; };
struct GHandler { std::string extension, command; };
struct Output { std::string extension; };
QS_KIND(Quiet, "quiet");
QS_KIND(Create, "create");
QS_KIND(FragmentFolder, "fragmentfolder", &FragmentFolder::folder);
QS_KIND(BuildFolder, "buildfolder", &BuildFolder::folder);
QS_KIND(Delimiters, "delimiters", &Delimiters::open, &Delimiters::close);
QS_KIND(Mark, "mark", &Mark::begin, &Mark::end);
QS_KIND(GHandler, "ghandler", &GHandler::extension, &GHandler::command);
QS_KIND(Output, "output", &Output::extension);
using SettingsRecord =
    std::variant<Quiet, Create, FragmentFolder, BuildFolder, Delimiters, Mark, GHandler, Output>;

// ---- projectfacts ----
struct Root { std::string folder; };
struct Global {
  std::string name, value;
  bool operator==(const Global&) const = default;
};
struct DirectFiles { Slist files; };
struct File { std::string page; };
struct Clone {
  int32_t index;
  std::string page;
  BindingList bindings;
};
struct Tags {
  int32_t index;
  std::string tags;
};
struct Handler { std::string extension, command; };
struct Notes { std::string text; };
QS_KIND(Root, "root", &Root::folder);
QS_KIND(Global, "g", &Global::name, &Global::value);
QS_KIND(DirectFiles, "directfiles", &DirectFiles::files);
QS_KIND(File, "file", &File::page);
QS_KIND(Clone, "clone", &Clone::index, &Clone::page, &Clone::bindings);
QS_KIND(Tags, "tags", &Tags::index, &Tags::tags);
QS_KIND(Handler, "handler", &Handler::extension, &Handler::command);
QS_KIND(Notes, "notes", &Notes::text);
using ProjectRecord = std::variant<Root, Global, DirectFiles, File, Clone, Tags, Handler, Notes>;
using ProjectFactList = std::vector<ProjectRecord>;

// ---- meta-instructions ----
namespace ins {
struct In { std::string file; BindingList bindings; };
struct P { std::string name, value; };
struct A { std::string name, value; };
struct I { std::string file; };
struct V { std::string name; };
struct Beg { std::string text; };
struct End {};
}  // namespace ins
QS_KIND(ins::In, "in", &ins::In::file, &ins::In::bindings);
QS_KIND(ins::P, "p", &ins::P::name, &ins::P::value);
QS_KIND(ins::A, "a", &ins::A::name, &ins::A::value);
QS_KIND(ins::I, "i", &ins::I::file);
QS_KIND(ins::V, "v", &ins::V::name);
QS_KIND(ins::Beg, "beg", &ins::Beg::text);
QS_KIND(ins::End, "end");
using Instruction = std::variant<ins::In, ins::P, ins::A, ins::I, ins::V, ins::Beg, ins::End>;
using InstructionList = std::vector<Instruction>;

// ---- engine bookkeeping ----
/// One frame of the stream stack: a source being expanded and its bindings.
struct Frame {
  std::string file;
  BindingList bindings;
};
/// The clone being built and the page whose text it uses.
struct ClonedFrom {
  std::string clone;
  std::string page;
};

}  // namespace qs
