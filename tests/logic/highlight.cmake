# highlight logic tests
