# editor logic tests
