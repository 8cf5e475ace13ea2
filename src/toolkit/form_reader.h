#pragma once
// Builds a form from its stored description: every listed component is created by
// class name, owned by the form, placed in its parent, given its properties and wired
// to the form's handlers; references between components are resolved once the
// whole description has been read, in the order they were met.

#include "toolkit/class_registry.h"
#include "toolkit/form_description.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// `propertiesRead`, when given, runs once every component has its stored properties and
// before the references are resolved (a skin data component loads its skin then).
void ReadForm(TComponent& root, const TFormNode& description, const THandlerTable& handlers,
              const std::function<void()>& propertiesRead = {});
void ReadFormBinary(TComponent& root, const std::uint8_t* data, std::size_t size,
                    const THandlerTable& handlers, const std::function<void()>& propertiesRead = {});

// A compiled description the program carries inside itself, compressed as qCompress
// writes it: the stored pictures shrink twenty-fold, and a start from a disc reads the
// program whole.
struct TFormResource {
    const std::uint8_t* Data;
    std::size_t Size;
};
// The description, taken from an earlier DecodeFormResourceAhead when there was one.
TFormNode DecodeFormResource(const TFormResource& resource);
// Starts decoding on a thread of its own, for the form built from it later: a start
// spends the few milliseconds the stored pictures take while the window system connects.
void DecodeFormResourceAhead(const TFormResource& resource);
void ReadFormResource(TComponent& root, const TFormResource& resource, const THandlerTable& handlers,
                      const std::function<void()>& propertiesRead = {});
