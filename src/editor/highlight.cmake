# token scanner and keyword table
