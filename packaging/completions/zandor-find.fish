# fish completion for zandor-find: its options, the words its options take,
# and folders. Keep the word lists in step with `zandor-find --help`.

# The operand is a folder: offer folders, not files.
complete -c zandor-find -f -a '(__fish_complete_directories (commandline -ct))'

complete -c zandor-find -s n -l name -x -d 'The name text or pattern'
complete -c zandor-find -l no-subdirs -d "Examine only the folder's own entries"
complete -c zandor-find -l case-sensitive -d 'Compare letter case in names'
complete -c zandor-find -l size -x -a 'at-least: at-most: equal:' -d 'Only files of a size in KB'
complete -c zandor-find -l type -x -a 'bmp c h c++ cpp hlp html ico java rc dsp dsw xml zip documents pictures music videos archives' -d 'Only files of one type or kind'
complete -c zandor-find -l created -x -d 'Only files created in the last N days (Nd) or months (Nm)'
complete -c zandor-find -l modified -x -d 'Only files modified in the last N days (Nd) or months (Nm)'
complete -c zandor-find -l containing -x -d 'Only files whose contents hold the text'
complete -c zandor-find -l binary -d 'With --containing, read binary files too'
complete -c zandor-find -l exclude -x -d 'Leave out entries matching a glob'
complete -c zandor-find -l one-file-system -d 'Do not enter folders on other file systems'
complete -c zandor-find -l format -x -a 'tsv json null' -d 'The output format'
complete -c zandor-find -l sort -x -a 'name path size type created modified name:desc path:desc size:desc type:desc created:desc modified:desc' -d 'Sort the rows after the walk'
complete -c zandor-find -l progress -d 'Write every progress title to standard error'
complete -c zandor-find -l threads -x -d 'Threads the walk uses, 1 to 256'
complete -c zandor-find -l properties -r -F -d 'Print the properties report of a path'
complete -c zandor-find -s h -l help -d 'Show the help text'
complete -c zandor-find -l version -d 'Show the version'
