# bib logic tests
