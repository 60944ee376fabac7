#pragma once

// Base of every host object handed across the module boundary, so that any of them can travel as
// "an object" (the native connection passed to an error report, a picked customer).
class Object {
public:
    virtual ~Object() = default;
};
